#include "app/SingleInstance.h"
#include "common/AppGlobals.h"
#include "data/Firebird.h"
#include "tests/support/TestSupport.h"

#include <QCoreApplication>
#include <QLocalSocket>
#include <QProcess>
#include <QtTest>

// Starts the real program twice on one program folder.
class TestSingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void secondStartHandsOver()
    {
        TestHome home;
        QVERIFY(home.copySampleDatabases());
        InitAppPath();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TEVAKA_HOME", home.appDir());
        env.insert("XDG_CONFIG_HOME", home.configDir());
        const QString exe = QStringLiteral(TEVAKA_BIN_DIR "/tevaka");

        QProcess first;
        first.setProcessEnvironment(env);
        first.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        first.start(exe);
        QVERIFY(first.waitForStarted());
        const QString name = TSingleInstance::ServerName(vAppPath);
        QTRY_VERIFY_WITH_TIMEOUT(([&] {
                                     QLocalSocket s;
                                     s.connectToServer(name);
                                     return s.waitForConnected(200);
                                 }()),
                                 30000);

        QProcess second;
        second.setProcessEnvironment(env);
        second.start(exe);
        QVERIFY(second.waitForFinished(20000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);

        // The first instance still runs and still holds its content database.
        QCOMPARE(first.state(), QProcess::Running);
        QSqlDatabase db;
        QString error;
        QVERIFY(!Firebird::Open(db, "probe", home.appDir() + "TEVAKA.FDB", &error));
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase("probe");

        first.kill();
        first.waitForFinished(10000);
    }
};

int main(int argc, char **argv)
{
    prepareTestEnvironment();
    QCoreApplication app(argc, argv);
    TestSingleInstance t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_single_instance.moc"
