#include "app/Startup.h"
#include "common/AppGlobals.h"
#include "data/DictionaryDM.h"
#include "data/Firebird.h"
#include "data/dmClients.h"
#include "data/dmTevaka.h"
#include "settings/SettingsRecord.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QSqlQuery>
#include <QTimer>
#include <QtTest>

// Answers the next message box with OK and remembers its text.
static void acceptNextMessage(QString *text)
{
    QTimer::singleShot(50, [text] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *box = qobject_cast<QMessageBox *>(w); box && box->isVisible()) {
                *text = box->text();
                box->button(QMessageBox::Ok)->click();
                return;
            }
        acceptNextMessage(text);
    });
}

static int countRows(QSqlDatabase &db, const QString &table)
{
    QSqlQuery q(db);
    if (!q.exec("select count(*) from " + table) || !q.next())
        return -1;
    return q.value(0).toInt();
}

class TestStartup : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestHome> home;

private slots:
    void init()
    {
        home = std::make_unique<TestHome>();
        InitAppPath();
    }

    void contentFailure_data()
    {
        QTest::addColumn<int>("lang");
        QTest::addColumn<QByteArray>("file"); // empty: no file at all
        QTest::newRow("missing, Vietnamese") << 0 << QByteArray();
        QTest::newRow("missing, English") << 1 << QByteArray();
        QTest::newRow("garbage, Vietnamese") << 0 << QByteArray(20000, 'x');
        QTest::newRow("garbage, English") << 1 << QByteArray("not a database at all\n");
    }

    void contentFailure()
    {
        QFETCH(int, lang);
        QFETCH(QByteArray, file);
        // A complete group, or the reader would fall back to the defaults.
        for (auto [name, value] : std::initializer_list<std::pair<const char *, int>>{
                 {"InterfaceLang", lang}, {"OpenSutta", 1}, {"LastSutta", 1}, {"LastTevaka", 1}, {"PopupActive", 1}, {"PopupTime", 30},
                 {"BgColor", 0xFFFFFF}, {"SeachHighlightColor", 0xFFFF}, {"Dictionary", 1},
                 {"LanguageSutta", 1}, {"MarginWidth", 0}, {"ZoomPercent", 100}})
            WriteOptionInteger(name, value);
        WriteOptionString("FontName", "Segoe UI");
        WriteOptionString("LastWord", "");
        if (!file.isEmpty())
            home->writeFile("TEVAKA.FDB", file);

        QString shown;
        acceptNextMessage(&shown);
        // The entry sequence ends with a failure code and never reaches the main window.
        QCOMPARE(RunEntrySequence(), 1);
        QString expected = TfrmTevakaDM::FailureText(lang);
        expected.replace('\r', '\n');
        QCOMPARE(shown, expected);
        QVERIFY(shown.startsWith(lang == 0 ? QString::fromUtf8("Kết nối dữ liệu không thành công!")
                                           : QString("Can not connect to database!")));
        if (!file.isEmpty()) {
            QFile f(vAppPath + "TEVAKA.FDB");
            QVERIFY(f.open(QIODevice::ReadOnly));
            QCOMPARE(f.readAll(), file);
        }
    }

    void optionalDatabases()
    {
        QVERIFY(home->copySampleDatabases(true, false, false));
        const QByteArray garbage(5000, 'z');
        home->writeFile("TEVAKACLIENT.FDB", garbage);

        TfrmTevakaDM tevaka;
        QVERIFY(tevaka.DataModuleCreate());
        QVERIFY(tevaka.vIsOKTevaka);
        TfrmClientsDM clients;
        clients.DataModuleCreate(&tevaka.dbTevaka);
        QVERIFY(!clients.vIsOKClients);
        QVERIFY(clients.vDefFocusSQL.isEmpty());
        TfrmDictionaryDM dictionary;
        dictionary.DataModuleCreate();
        QVERIFY(!dictionary.vIsOKDictionary);

        // A user database that cannot be opened is never replaced.
        QFile f(vAppPath + "TEVAKACLIENT.FDB");
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), garbage);
    }

    void userDatabaseCreatedOnFirstStart()
    {
        QVERIFY(home->copySampleDatabases(true, false, true));
        TfrmTevakaDM tevaka;
        QVERIFY(tevaka.DataModuleCreate());
        TfrmClientsDM clients;
        clients.DataModuleCreate(&tevaka.dbTevaka);
        QVERIFY(clients.vIsOKClients);
        QCOMPARE(clients.vDefFocusSQL, QString::fromLatin1(TfrmClientsDM::kFocusSQL));
        const int suttas = countRows(tevaka.dbTevaka, "TEVAKA_CONTENT");
        QVERIFY(suttas > 0);
        QCOMPARE(countRows(clients.dbClientTevaka, "SUTTA_LIST"), suttas);
        QCOMPARE(countRows(clients.dbClientTevaka, "SUTTA_TEXT_FOCUS"), 0);
        TfrmDictionaryDM dictionary;
        dictionary.DataModuleCreate();
        QVERIFY(dictionary.vIsOKDictionary);
    }
};

int main(int argc, char **argv)
{
    prepareTestEnvironment();
    QApplication app(argc, argv);
    TestStartup t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_startup.moc"
