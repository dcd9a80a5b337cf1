#include "app/DataModules.h"
#include "app/Main.h"
#include "common/AppGlobals.h"
#include "data/DictionaryDM.h"
#include "data/dmClients.h"
#include "data/dmTevaka.h"
#include "settings/Registry.h"
#include "settings/SettingsRecord.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <QtTest>

using namespace Registry;

// Answers the next question box and remembers its caption and text.
static void answerNextQuestion(QMessageBox::StandardButton answer, QStringList *seen)
{
    QTimer::singleShot(30, [answer, seen] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *box = qobject_cast<QMessageBox *>(w); box && box->isVisible()) {
                *seen << box->windowTitle() << box->text();
                QCOMPARE(box->icon(), QMessageBox::Question);
                QVERIFY(box->parentWidget() == nullptr);
                box->button(answer)->click();
                return;
            }
        answerNextQuestion(answer, seen);
    });
}

static QVariant stored(const char *name) { return GetRegistryData(RootKey::CurrentUser, kOptionsKey, name); }

class TestMainWindow : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestHome> home;
    std::unique_ptr<TDataModules> modules;
    TfrmTevakaDM *tevaka = nullptr;

    void startModules()
    {
        modules = std::make_unique<TDataModules>();
        QVERIFY(modules->Create());
        tevaka = modules->tevaka.get();
    }

private slots:
    void init()
    {
        home = std::make_unique<TestHome>();
        InitAppPath();
        QVERIFY(home->copySampleDatabases());
        startModules();
    }

    void cleanup()
    {
        modules.reset();
    }

    void startCollection_data()
    {
        QTest::addColumn<int>("openSutta");
        QTest::addColumn<int>("lastTevaka");
        QTest::addColumn<int>("expected");
        QTest::newRow("last sutta") << 1 << 4 << 4;
        QTest::newRow("last sutta, bad collection") << 1 << 9 << 9;
        QTest::newRow("no preference") << 3 << 4 << 1;
        QTest::newRow("out of range") << 7 << 4 << 0;
        QTest::newRow("zero") << 0 << 2 << 0;
    }

    void startCollection()
    {
        QFETCH(int, openSutta);
        QFETCH(int, lastTevaka);
        QFETCH(int, expected);
        tevaka->vOpenSutta = openSutta;
        tevaka->vLastTevaka = lastTevaka;
        TfrmMain w;
        QCOMPARE(w.vTevakaBook, expected);
        QToolButton *buttons[] = {w.btnDN, w.btnMN, w.btnAN, w.btnSN, w.btnKN};
        for (int i = 0; i < 5; ++i)
            QCOMPARE(buttons[i]->isChecked(), i + 1 == expected);
        QVERIFY(w.vIsInit); // until the first show
    }

    void randomStartReachesEveryCollection()
    {
        tevaka->vOpenSutta = 2;
        TfrmMain w;
        QSet<int> seen;
        for (int i = 0; i < 500 && seen.size() < 5; ++i) {
            w.InitMainForm();
            QVERIFY(w.vTevakaBook >= 1 && w.vTevakaBook <= 5);
            seen << w.vTevakaBook;
        }
        QCOMPARE(seen, (QSet<int>{1, 2, 3, 4, 5}));
    }

    void closeQuestion_data()
    {
        QTest::addColumn<int>("lang");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("question");
        QTest::newRow("Vietnamese") << 0 << QString::fromUtf8("Thông báo") << QString::fromUtf8("Đồng ý thoát khỏi Tevaka?");
        QTest::newRow("English") << 1 << "Information" << "Are you sure you wish to quit Tevaka?";
    }

    void closeQuestion()
    {
        QFETCH(int, lang);
        QFETCH(QString, caption);
        QFETCH(QString, question);
        WriteOptionInteger("LastTevaka", 3);
        WriteOptionInteger("LastSutta", 200);
        TfrmMain w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        vInterfaceLang = lang; // the first show applied the language list's choice

        QStringList seen;
        answerNextQuestion(QMessageBox::No, &seen);
        QVERIFY(!w.close());
        QCOMPARE(seen, (QStringList{caption, question}));
        QVERIFY(w.isVisible());
        QCOMPARE(stored("LastTevaka"), QVariant(3));

        // A later close asks again; Yes stores the sutta now shown.
        seen.clear();
        answerNextQuestion(QMessageBox::Yes, &seen);
        QVERIFY(w.close());
        QCOMPARE(seen.size(), 2);
        QCOMPARE(stored("LastTevaka"), QVariant(w.CurrentTVK()));
        QCOMPARE(stored("LastSutta"), QVariant(w.CurrentTVC()));
    }

    void closeWithRefusedWriteStoresOnes()
    {
        WriteOptionInteger("LastTevaka", 3);
        TfrmMain w;
        w.show();
        SetFailingWritesForTest({"LastSutta"});
        QStringList seen;
        answerNextQuestion(QMessageBox::Yes, &seen);
        QVERIFY(w.close());
        QCOMPARE(stored("LastTevaka"), QVariant(1));
        QCOMPARE(stored("LastSutta"), QVariant(1));
    }

    void trayExitStoresNothing()
    {
        WriteOptionInteger("LastTevaka", 3);
        WriteOptionInteger("LastSutta", 200);
        TfrmMain w;
        w.show();
        QStringList seen;
        answerNextQuestion(QMessageBox::No, &seen);
        w.acExit->trigger();
        QVERIFY(w.isVisible());
        answerNextQuestion(QMessageBox::Yes, &seen);
        w.acExit->trigger();
        QCOMPARE(seen.size(), 4);
        QCOMPARE(stored("LastTevaka"), QVariant(3));
        QCOMPARE(stored("LastSutta"), QVariant(200));
    }

    void trayClickOnVisibleWindowChangesNothing()
    {
        TfrmMain w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const Qt::WindowStates before = w.windowState();
        w.tiMainTrayClick();
        QCOMPARE(w.windowState(), before);
        QVERIFY(w.isVisible());
        w.hide();
        w.tiMainTrayClick();
        QVERIFY(w.isVisible());
    }

    void shortcutsReachTheirCommands_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QKeySequence>("keys");
        QTest::newRow("find") << "acFindDialog" << QKeySequence("Ctrl+F");
        QTest::newRow("select all") << "acSelectAll" << QKeySequence("Ctrl+A");
    }

    void shortcutsReachTheirCommands()
    {
        QFETCH(QString, action);
        QFETCH(QKeySequence, keys);
        TfrmMain w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.activateWindow();
        w.dbtSutas->setFocus();
        auto *a = w.findChild<QAction *>(action);
        QVERIFY(a);
        QSignalSpy spy(a, &QAction::triggered);
        QTest::keySequence(&w, keys);
        QCOMPARE(spy.count(), 1);
    }
};

int main(int argc, char **argv)
{
    prepareTestEnvironment();
    QApplication app(argc, argv);
    TestMainWindow t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_mainwindow.moc"
