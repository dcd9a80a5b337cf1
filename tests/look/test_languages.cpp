#include "look/LanguageController.h"
#include "look/LanguageManager.h"
#include "tests/support/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTreeView>
#include <QVBoxLayout>
#include <QtTest>

// A stand-in for a data set: its SQL and skin name must never be translated.
class TProbeQuery : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString SQL MEMBER SQL)
    Q_PROPERTY(QString SkinName MEMBER SkinName)
public:
    using QObject::QObject;
    QString SQL = "select 1 from rdb$database";
    QString SkinName = "UserSkin";
};

// A small window of every kind of translatable text.
class TProbeWindow : public QWidget
{
public:
    TProbeWindow()
    {
        setObjectName("frmProbe");
        setWindowTitle(QString::fromUtf8("Thử"));
        lbName = new QLabel(QString::fromUtf8("Tên"), this);
        lbName->setObjectName("lbName");
        acGo = new QAction(QString::fromUtf8("Đi"), this);
        acGo->setObjectName("acGo");
        acGo->setToolTip(QString::fromUtf8("Đi tiếp"));
        tabs = new QTabWidget(this);
        auto *page = new QWidget;
        page->setObjectName("tsFirst");
        tabs->addTab(page, QString::fromUtf8("Một"));
        cbChoice = new QComboBox(this);
        cbChoice->setObjectName("cbChoice");
        cbChoice->addItems({QString::fromUtf8("Có"), QString::fromUtf8("Không")});
        gtvList = new QTreeView(this);
        gtvList->setObjectName("gtvList");
        model = new QStandardItemModel(0, 2, this);
        model->setHorizontalHeaderLabels({QString::fromUtf8("Tên"), QString::fromUtf8("Số")});
        gtvList->setModel(model);
        qryList = new TProbeQuery(this);
        qryList->setObjectName("qryList");
    }
    QLabel *lbName;
    QAction *acGo;
    QTabWidget *tabs;
    QComboBox *cbChoice;
    QTreeView *gtvList;
    QStandardItemModel *model;
    TProbeQuery *qryList;

    QStringList texts() const
    {
        return {windowTitle(), lbName->text(), acGo->text(), acGo->toolTip(), tabs->tabText(0), cbChoice->itemText(1),
                model->headerData(1, Qt::Horizontal).toString(), qryList->SQL, qryList->SkinName};
    }
};

static const char kEnglish[] = "; probe\nLANGID=1033\n"
                               "[frmProbe]\n"
                               "frmProbe.windowTitle=Probe\n"
                               "lbName.text=Name  \n"
                               "acGo.text=Go\n"
                               "acGo.toolTip=Go on\\nnow\n"
                               "tsFirst.tabText=One\n"
                               "cbChoice.item1=No\n"
                               "gtvList.column1=Number\n"
                               "qryList.SQL=select 2 from rdb$database\n"
                               "qryList.SkinName=Other\n"
                               "lbMissing.text=nobody\n"
                               "lbName.noSuchProperty=ignored\n"
                               "[frmOther]\n"
                               "lbName.text=Wrong window\n";

static const char kFrench[] = "LANGID=1036\n[frmProbe]\nlbName.text=Nom\n";

class TestLanguages : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestHome> home;

    void scan()
    {
        LangManager().SetDefaultLanguageID(1066);
        LangManager().ScanForLangFiles(home->appDir(), "*.lng");
    }
    QStringList names() const
    {
        QStringList list;
        for (int i = 0; i < LangManager().LanguageCount(); ++i)
            list << LangManager().LanguageNames(i);
        return list;
    }

private slots:
    void init() { home = std::make_unique<TestHome>(); }
    void cleanup() { LangManager().SetLanguageID(1066); }

    void languageList_data()
    {
        QTest::addColumn<QByteArrayList>("files"); // name=bytes, or a folder name/
        QTest::addColumn<QStringList>("expected");
        const QString vi = QString::fromUtf8("Tiếng Việt");
        QTest::newRow("no file") << QByteArrayList() << QStringList{vi};
        QTest::newRow("one valid") << QByteArrayList{"English.lng=LANGID=1033\n"} << QStringList{vi, "English"};
        QTest::newRow("LANGID 1066") << QByteArrayList{"Viet.lng=LANGID=1066\n"} << QStringList{vi};
        QTest::newRow("LANGID 0") << QByteArrayList{"Zero.lng=LANGID=0\n"} << QStringList{vi};
        QTest::newRow("LANGID not a number") << QByteArrayList{"Bad.lng=LANGID=English\n"} << QStringList{vi};
        QTest::newRow("no LANGID") << QByteArrayList{"None.lng=[frmMain]\nLANGID=1033\n"} << QStringList{vi};
        QTest::newRow("unreadable: not UTF-8") << QByteArrayList{"Damaged.lng=LANGID=1033\n\xff\xfe\xfd\n"} << QStringList{vi};
        QTest::newRow("unreadable: a folder") << QByteArrayList{"Folder.lng/"} << QStringList{vi};
        QTest::newRow("in a subfolder") << QByteArrayList{"sub/English.lng=LANGID=1033\n"} << QStringList{vi};
        QTest::newRow("other extension") << QByteArrayList{"English.txt=LANGID=1033\n"} << QStringList{vi};
        QTest::newRow("unknown identifier") << QByteArrayList{"X.lng=LANGID=5555\n"} << QStringList{vi, "5555"};
        QTest::newRow("two files by name")
            << QByteArrayList{"B.lng=LANGID=1033\n", "A.lng=LANGID=1036\n"} << QStringList{vi, QString::fromUtf8("Français"), "English"};
    }
    void languageList()
    {
        QFETCH(QByteArrayList, files);
        QFETCH(QStringList, expected);
        for (const QByteArray &f : files) {
            if (f.endsWith('/')) {
                QDir().mkpath(home->appDir() + QString::fromUtf8(f));
                continue;
            }
            const int eq = f.indexOf('=');
            const QString name = QString::fromUtf8(f.left(eq));
            QDir().mkpath(QFileInfo(home->appDir() + name).absolutePath());
            home->writeFile(name, f.mid(eq + 1));
        }
        scan();
        QCOMPARE(names(), expected);
        QCOMPARE(LangManager().LanguageIDs(0), 1066);
    }

    void switchingRetranslatesAndRestores()
    {
        home->writeFile("English.lng", kEnglish);
        home->writeFile("French.lng", kFrench);
        scan();
        TProbeWindow w;
        TLanguageController controller(&w);
        const QStringList designed = w.texts();

        LangManager().SetLanguageID(1033);
        QCOMPARE(w.texts(), QStringList({"Probe", "Name  ", "Go", "Go on\nnow", "One", "No", "Number",
                                         designed[7], designed[8]}));

        // Entries French lacks fall back to the designed texts, not to English.
        LangManager().SetLanguageID(1036);
        QStringList french = designed;
        french[1] = "Nom";
        QCOMPARE(w.texts(), french);

        LangManager().SetLanguageID(1066);
        QCOMPARE(w.texts(), designed);
        LangManager().SetLanguageID(1033);
        LangManager().SetLanguageID(1066);
        QCOMPARE(w.texts(), designed);
    }

    void laterWindowStartsInCurrentLanguage()
    {
        home->writeFile("English.lng", kEnglish);
        scan();
        LangManager().SetLanguageID(1033);
        TProbeWindow w;
        TLanguageController controller(&w);
        QCOMPARE(w.lbName->text(), QString("Name  "));
        QCOMPARE(w.acGo->text(), QString("Go"));
    }

    void ignoredProperties_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("ignored");
        for (const char *k : {"qryList.SQL", "qryTreeSutas.SelectSQL", "qryX.RefreshSQL", "qryX.RefreshQuery",
                              "qryX.SelectQuery", "dbX.DatabaseName", "col.DataField", "col.FieldName",
                              "lc.KeyField", "lc.ParentField", "col.PropertiesClassName", "lcItem.CaptionOptions",
                              "scMain.SkinName", "qryx.sql"})
            QTest::newRow(k) << QString(k) << true;
        for (const char *k : {"lbName.text", "acGo.toolTip", "frmMain.windowTitle", "lbSQL.text"})
            QTest::newRow(k) << QString(k) << false;
    }
    void ignoredProperties()
    {
        QFETCH(QString, key);
        QFETCH(bool, ignored);
        QCOMPARE(TLanguageController::IsIgnored(key), ignored);
    }

    void languageNames_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("name");
        QTest::newRow("Vietnamese") << 1066 << QString::fromUtf8("Tiếng Việt");
        QTest::newRow("English") << 1033 << "English";
        QTest::newRow("unknown") << 4242 << "4242";
    }
    void languageNames()
    {
        QFETCH(int, id);
        QFETCH(QString, name);
        QCOMPARE(LanguageName(id), name);
    }

    // A file that went bad after the scan leaves the built-in texts.
    void fileDamagedAfterScan()
    {
        home->writeFile("English.lng", kEnglish);
        scan();
        TProbeWindow w;
        TLanguageController controller(&w);
        home->writeFile("English.lng", "LANGID=1033\n\xff\xfe");
        LangManager().SetLanguageID(1033);
        QCOMPARE(LangManager().LanguageID(), 1066);
        QCOMPARE(w.lbName->text(), QString::fromUtf8("Tên"));
    }
};

int main(int argc, char *argv[])
{
    prepareTestEnvironment();
    QApplication app(argc, argv);
    TestLanguages t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_languages.moc"
