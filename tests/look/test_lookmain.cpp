#include "app/About.h"
#include "app/Main.h"
#include "app/Options.h"
#include "common/AppGlobals.h"
#include "common/HtmlView.h"
#include "data/DictionaryDM.h"
#include "data/dmClients.h"
#include "data/dmTevaka.h"
#include "app/DataModules.h"
#include "look/DMInterface.h"
#include "look/LanguageManager.h"
#include "reading/SuttaTreeModel.h"
#include "settings/Registry.h"
#include "settings/SettingsRecord.h"
#include "tests/support/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QMenu>
#include <QMetaProperty>
#include <QPushButton>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QtTest>

using namespace Registry;

static QVariant stored(const char *name) { return GetRegistryData(RootKey::CurrentUser, kOptionsKey, name); }
static QString resource(const char *name) { return QStringLiteral(TEVAKA_SOURCE_DIR "/look/resources/") + name; }

class TestLookMain : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestHome> home;
    std::unique_ptr<TDataModules> modules;
    QPalette platform;

    void startModules()
    {
        modules = std::make_unique<TDataModules>();
        QVERIFY(modules->Create());
    }

    void switchLanguage(TfrmMain &w, int position)
    {
        w.bcbLanguage->setCurrentIndex(position);
        QCOMPARE(vInterfaceLang, position);
    }

    bool nameShown(TfrmMain &w, int column) { return !w.dbtSutas->isColumnHidden(column); }

private slots:
    void initTestCase() { platform = QApplication::palette(); }

    void init()
    {
        home = std::make_unique<TestHome>();
        InitAppPath();
        SetFailingWritesForTest({});
        QVERIFY(home->copySampleDatabases());
        QVERIFY(QFile::copy(resource("AllSkins.skinres"), home->appDir() + "AllSkins.skinres"));
        QVERIFY(QFile::copy(resource("English.lng"), home->appDir() + "English.lng"));
        QApplication::setPalette(platform);
        qApp->setStyleSheet(QString());
        startModules();
    }

    void cleanup()
    {
        SetFailingWritesForTest({});
        LangManager().SetLanguageID(1066);
        vInterfaceLang = 0;
        modules.reset();
    }

    // First start: the default position 25 is applied and stored.
    void skinAtStart()
    {
        TfrmMain w;
        QCOMPARE(w.bcbInterface->count(), 28);
        QCOMPARE(w.bcbInterface->currentIndex(), 24);
        QCOMPARE(stored("GlobalActiveStyle").toInt(), 25);
        QCOMPARE(stored("GlobalActiveName").toString(), w.bcbInterface->itemText(24));
        QVERIFY(modules->interfaceDM->HasUserSkin());
        QCOMPARE(QApplication::palette().color(QPalette::Window), modules->interfaceDM->UserSkin().palette.color(QPalette::Window));
        QCOMPARE(w.barMain->font().family(), QString("Segoe UI")); // fonts applied with the skin
        QCOMPARE(modules->interfaceDM->SkinCaptionFont.family(), QString("Segoe UI"));
        QCOMPARE(modules->interfaceDM->SkinCaptionFont.pointSize(), 10);
    }

    void skinChangeIsStored_data()
    {
        QTest::addColumn<QStringList>("failing");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("name"); // empty: the chosen skin's name
        QTest::newRow("stored") << QStringList() << 5 << QString();
        QTest::newRow("position write fails") << QStringList{"GlobalActiveStyle"} << 16 << "Office2007Blue";
        QTest::newRow("name write fails") << QStringList{"GlobalActiveName"} << 16 << "Office2007Blue";
    }
    void skinChangeIsStored()
    {
        QFETCH(QStringList, failing);
        QFETCH(int, position);
        QFETCH(QString, name);
        TfrmMain w;
        SetFailingWritesForTest(failing);
        w.bcbInterface->setCurrentIndex(4);
        SetFailingWritesForTest({});
        QCOMPARE(vGlobalActiveStyle, 5);
        QCOMPARE(vGlobalActiveName, w.bcbInterface->itemText(4));
        QCOMPARE(stored("GlobalActiveStyle").toInt(), position);
        QCOMPARE(stored("GlobalActiveName").toString(), name.isEmpty() ? w.bcbInterface->itemText(4) : name);
        // The skin applies to open windows and to windows opened later.
        const QColor window = modules->interfaceDM->UserSkin().palette.color(QPalette::Window);
        QCOMPARE(modules->interfaceDM->UserSkin().name, w.bcbInterface->itemText(4));
        QCOMPARE(w.palette().color(QPalette::Window), window);
        TfrmOptions later(&w);
        QCOMPARE(later.palette().color(QPalette::Window), window);
    }

    // A stored position 0 selects nothing: no skin, no fonts, nothing stored.
    void storedPositionZero()
    {
        {
            Key key;
            QVERIFY(key.open(RootKey::CurrentUser, kOptionsKey, true));
            QVERIFY(key.writeInteger("GlobalActiveStyle", 0));
            QVERIFY(key.writeString("GlobalActiveName", "None"));
        }
        TfrmMain w;
        QCOMPARE(w.bcbInterface->currentIndex(), -1);
        QVERIFY(!modules->interfaceDM->HasUserSkin());
        QCOMPARE(QApplication::palette().color(QPalette::Window), platform.color(QPalette::Window));
        QCOMPARE(stored("GlobalActiveStyle").toInt(), 0);
    }

    void missingSkinFile_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // empty: no file
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("damaged") << QByteArray("\xff\xfe[Calm Blue]\x00\x01");
    }
    void missingSkinFile()
    {
        QFETCH(QByteArray, bytes);
        QFile::remove(home->appDir() + "AllSkins.skinres");
        if (!bytes.isEmpty())
            home->writeFile("AllSkins.skinres", bytes);
        TfrmMain w;
        QCOMPARE(w.bcbInterface->count(), 0);
        QVERIFY(!modules->interfaceDM->HasUserSkin());
        QCOMPARE(QApplication::palette().color(QPalette::Window), platform.color(QPalette::Window));
    }

    void languageSwitch()
    {
        modules->tevaka->vLanguageSutta = 2;
        TfrmMain w;
        QCOMPARE(w.bcbLanguage->count(), 2);
        QCOMPARE(w.bcbLanguage->itemText(0), QString::fromUtf8("Tiếng Việt"));
        QCOMPARE(w.bcbLanguage->itemText(1), QString("English"));
        w.show();
        QCOMPARE(w.acExit->text(), QString::fromUtf8("Thoát"));
        QCOMPARE(stored("InterfaceLang").toInt(), 0); // stored at the first show

        switchLanguage(w, 1);
        QCOMPARE(w.acExit->text(), QString("Exit"));
        QCOMPARE(w.bsiSkins->title(), QString("Skins"));
        QCOMPARE(w.bsiSystem->text(), QString("System"));
        QCOMPARE(w.btnDN->toolTip(), QString::fromUtf8("Long Discourses\n(Dīgha Nikāya)"));
        QCOMPARE(w.acOption->text(), QString("Options  "));
        QCOMPARE(w.findChild<QToolButton *>("lbOptions")->text(), QString("Options")); // buttons trim blanks
        QCOMPARE(stored("InterfaceLang").toInt(), 1);
        QVERIFY(!nameShown(w, TSuttaTreeModel::colNAME_TVC_VIE));
        QVERIFY(nameShown(w, TSuttaTreeModel::colNAME_TVC_ENG));
        {
            TfrmOptions options(&w); // a window opened later starts in English
            QCOMPARE(options.windowTitle(), QString("Options"));
            QCOMPARE(options.btnCancel->text(), QString("&Cancel"));
            QCOMPARE(options.pcOptions->tabText(1), QString("  System  "));
        }

        switchLanguage(w, 0);
        QCOMPARE(w.acExit->text(), QString::fromUtf8("Thoát"));
        QCOMPARE(w.bsiSystem->text(), QString::fromUtf8("Hệ thống"));
        // The button re-copies its command's hint whenever the command changes.
        QVERIFY(w.btnDN->toolTip().startsWith(QString::fromUtf8("Trường Bộ Kinh")));
        QCOMPARE(stored("InterfaceLang").toInt(), 0);
        QVERIFY(nameShown(w, TSuttaTreeModel::colNAME_TVC_VIE));
        QVERIFY(!nameShown(w, TSuttaTreeModel::colNAME_TVC_ENG));
    }

    // Content language Pali with the Vietnamese interface shows both name columns.
    void paliContentWithVietnameseInterface()
    {
        modules->tevaka->vLanguageSutta = 0;
        TfrmMain w;
        w.show();
        QVERIFY(nameShown(w, TSuttaTreeModel::colNAME_TVC_PAL));
        QVERIFY(nameShown(w, TSuttaTreeModel::colNAME_TVC_VIE));
        QVERIFY(!nameShown(w, TSuttaTreeModel::colNAME_TVC_ENG));
    }

    void failedLanguageWriteStoresZero()
    {
        TfrmMain w;
        w.show();
        SetFailingWritesForTest({"InterfaceLang"});
        switchLanguage(w, 1);
        SetFailingWritesForTest({});
        QCOMPARE(stored("InterfaceLang").toInt(), 0);
        QCOMPARE(w.acExit->text(), QString("Exit"));
    }

    void storedEnglishStartsInEnglish()
    {
        vInterfaceLang = 1;
        TfrmMain w;
        QCOMPARE(w.bcbLanguage->currentIndex(), 1);
        QCOMPARE(w.acAbout->text(), QString("About "));
    }

    void noTranslationFile()
    {
        QFile::remove(home->appDir() + "English.lng");
        vInterfaceLang = 1;
        TfrmMain w;
        w.show();
        QCOMPARE(w.bcbLanguage->count(), 1);
        QCOMPARE(w.acExit->text(), QString::fromUtf8("Thoát"));
    }

    // Every entry of the shipped English file names an existing object and
    // text property, and every captioned command of the main window has one.
    void englishFileMatchesTheWindows()
    {
        int id = 0;
        TLngSections sections;
        QVERIFY(ReadLngFile(resource("English.lng"), &id, &sections));
        QCOMPARE(id, 1033);
        TfrmMain main;
        TfrmOptions options(&main);
        TfrmGioithieu about(&main);
        for (QWidget *window : {static_cast<QWidget *>(&main), static_cast<QWidget *>(&options),
                                static_cast<QWidget *>(&about)}) {
            const auto texts = sections.value(window->objectName());
            QVERIFY2(!texts.isEmpty(), qPrintable(window->objectName()));
            for (auto it = texts.cbegin(); it != texts.cend(); ++it) {
                const QString object = it.key().section('.', 0, 0), property = it.key().section('.', 1);
                QObject *o = object == window->objectName() ? window : window->findChild<QObject *>(object);
                QVERIFY2(o, qPrintable(it.key()));
                if (property == "tabText" || property.startsWith("item") || property.startsWith("column"))
                    continue;
                QVERIFY2(o->metaObject()->indexOfProperty(property.toLatin1()) >= 0, qPrintable(it.key()));
            }
        }
        // Captions that read the same in both languages, or that code sets.
        const QStringList neutral = {"acDN", "acMN", "acAN", "acSN", "acKN", "acMarginWidth0", "acMarginWidth1",
                                     "acMarginWidth2", "acMarginWidth3", "acShowIndexSutas", "acChangeLang", "acPopupPC"};
        const auto mainTexts = sections.value("frmMain");
        for (QAction *a : main.findChildren<QAction *>()) {
            if (a->objectName().startsWith("ac") && !a->text().isEmpty() && !neutral.contains(a->objectName()))
                QVERIFY2(mainTexts.contains(a->objectName() + ".text"), qPrintable(a->objectName()));
        }
        for (QMenu *m : main.findChildren<QMenu *>())
            if (!m->title().isEmpty())
                QVERIFY2(mainTexts.contains(m->objectName() + ".title"), qPrintable(m->objectName()));
    }
};

int main(int argc, char *argv[])
{
    prepareTestEnvironment();
    THtmlView::RegisterScheme();
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    TestLookMain t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_lookmain.moc"
