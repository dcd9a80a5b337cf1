#include "settings/Registry.h"
#include "settings/SettingsRecord.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

using namespace Registry;

// Writes the options file by hand, the way an earlier run (or damage) left it.
static QString optionsFile() { return KeyPath(RootKey::CurrentUser, kOptionsKey); }

static QJsonObject integer(qint64 n) { return QJsonObject{{"type", "integer"}, {"data", n}}; }
static QJsonObject string(const QString &s) { return QJsonObject{{"type", "string"}, {"data", s}}; }

static QJsonObject fullOptions()
{
    return QJsonObject{
        {"OpenSutta", integer(2)},      {"LastSutta", integer(40)},         {"LastTevaka", integer(2)},
        {"PopupActive", integer(0)},    {"PopupTime", integer(15)},         {"InterfaceLang", integer(1)},
        {"FontName", string("Noto Serif")}, {"BgColor", integer(0x00F0FFFF)}, {"SeachHighlightColor", integer(0x0000FF00)},
        {"LastWord", string("dhamma")}, {"Dictionary", integer(5)},         {"LanguageSutta", integer(0)},
        {"MarginWidth", integer(2)},    {"ZoomPercent", integer(130)}};
}

static void writeOptions(const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(optionsFile()).absolutePath());
    QFile f(optionsFile());
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

class TestSettings : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestHome> home;

private slots:
    void init()
    {
        home = std::make_unique<TestHome>();
        SetFailingWritesForTest({});
        vMultiDictionary = false;
    }

    void readSystemOptions_data()
    {
        QTest::addColumn<QByteArray>("file"); // empty: no settings key at all
        QTest::addColumn<bool>("defaults");
        QTest::addColumn<QString>("fontName");

        QJsonObject o = fullOptions();
        QTest::newRow("no key") << QByteArray() << true << "Segoe UI";
        QTest::newRow("all present") << QJsonDocument(o).toJson() << false << "Noto Serif";
        o = fullOptions();
        o.remove("ZoomPercent");
        QTest::newRow("ZoomPercent absent: all defaults") << QJsonDocument(o).toJson() << true << "Segoe UI";
        o = fullOptions();
        o.remove("FontName");
        QTest::newRow("FontName absent reads empty") << QJsonDocument(o).toJson() << false << "";
        o = fullOptions();
        o["BgColor"] = string("16777215");
        QTest::newRow("BgColor as string: all defaults") << QJsonDocument(o).toJson() << true << "Segoe UI";
        o = fullOptions();
        o["FontName"] = integer(3);
        QTest::newRow("FontName as integer: all defaults") << QJsonDocument(o).toJson() << true << "Segoe UI";
        o = fullOptions();
        o["PopupTime"] = QJsonObject{{"type", "integer"}, {"data", 1.5}};
        QTest::newRow("integer that is no 32-bit number") << QJsonDocument(o).toJson() << true << "Segoe UI";
        QTest::newRow("damaged file") << QByteArray("{\"OpenSutta\": {\"type\": \"integ") << true << "Segoe UI";
        QTest::newRow("not an object") << QByteArray("[1,2,3]") << true << "Segoe UI";
    }

    void readSystemOptions()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, defaults);
        QFETCH(QString, fontName);
        if (!file.isEmpty())
            writeOptions(file);

        TSettingsRecord r;
        r.vOpenSutta = -7; // proves the reader sets every field
        r.ReadSystemOptions();
        QCOMPARE(vFontName, fontName);
        if (defaults) {
            QCOMPARE(r.vOpenSutta, 1);
            QCOMPARE(r.vLastSutta, 1);
            QCOMPARE(r.vLastTevaka, 1);
            QCOMPARE(r.vPopupActive, true);
            QCOMPARE(r.vPopupTime, 30);
            QCOMPARE(vInterfaceLang, 0);
            QCOMPARE(r.vBgColor, quint32(0xFF000005));
            QCOMPARE(r.vHighlightColor, quint32(0x0000FFFF));
            QCOMPARE(vLastWord, QString());
            QCOMPARE(vDictionary, 1);
            QCOMPARE(vMultiDictionary, true);
            QCOMPARE(r.vLanguageSutta, 1);
            QCOMPARE(r.vMarginWidth, 0);
            QCOMPARE(r.vZoomPercent, 100);
        } else {
            QCOMPARE(r.vOpenSutta, 2);
            QCOMPARE(r.vLastSutta, 40);
            QCOMPARE(r.vLastTevaka, 2);
            QCOMPARE(r.vPopupActive, false);
            QCOMPARE(r.vPopupTime, 15);
            QCOMPARE(vInterfaceLang, 1);
            QCOMPARE(r.vBgColor, quint32(0x00F0FFFF));
            QCOMPARE(r.vHighlightColor, quint32(0x0000FF00));
            QCOMPARE(vLastWord, QString("dhamma"));
            QCOMPARE(vDictionary, 5);
            QCOMPARE(vMultiDictionary, false);
            QCOMPARE(r.vLanguageSutta, 0);
            QCOMPARE(r.vMarginWidth, 2);
            QCOMPARE(r.vZoomPercent, 130);
        }
    }

    void systemColourSurvivesRoundTrip()
    {
        // 0xFF000005 does not fit a signed 32-bit integer as a number; its bits must survive.
        WriteOptionInteger("BgColor", qint32(0xFF000005));
        Key k;
        QVERIFY(k.open(RootKey::CurrentUser, kOptionsKey, false));
        qint32 n = 0;
        QVERIFY(k.readInteger("BgColor", n));
        QCOMPARE(quint32(n), quint32(0xFF000005));
    }

    void damagedFileIsKeptAsideOnWrite()
    {
        writeOptions("garbage{");
        WriteOptionInteger("MarginWidth", 3);
        const QStringList aside = QFileInfo(optionsFile()).dir().entryList({"Options.json.damaged-*"});
        QCOMPARE(aside.size(), 1);
        QFile kept(QFileInfo(optionsFile()).dir().filePath(aside.first()));
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), QByteArray("garbage{"));
        Key k;
        qint32 n = 0;
        QVERIFY(k.open(RootKey::CurrentUser, kOptionsKey, false));
        QVERIFY(k.readInteger("MarginWidth", n));
        QCOMPARE(n, 3);
    }

    void writersWithFallback_data()
    {
        QTest::addColumn<bool>("failing");
        QTest::addColumn<int>("expected");
        QTest::newRow("write succeeds") << false << 2;
        QTest::newRow("write refused: fallback stored") << true << 1;
    }

    void writersWithFallback()
    {
        QFETCH(bool, failing);
        QFETCH(int, expected);
        if (failing)
            SetFailingWritesForTest({"LanguageSutta"});
        WriteOptionInteger("LanguageSutta", 2, 1);
        QCOMPARE(GetRegistryData(RootKey::CurrentUser, kOptionsKey, "LanguageSutta"), QVariant(expected));
    }

    void activeStyle()
    {
        TSettingsRecord r;
        vGlobalActiveStyle = 3;
        vGlobalActiveName = "x";
        r.ReadActiveStyle();
        QCOMPARE(vGlobalActiveStyle, 25);
        QCOMPARE(vGlobalActiveName, QString("Office2010Blue"));

        vGlobalActiveStyle = 7;
        vGlobalActiveName = "Sepia";
        r.WirteActiveStyle();
        vGlobalActiveStyle = 0;
        r.ReadActiveStyle();
        QCOMPARE(vGlobalActiveStyle, 7);
        QCOMPARE(vGlobalActiveName, QString("Sepia"));

        // A refused write stores the write fallback, not the read default.
        SetFailingWritesForTest({"GlobalActiveName"});
        vGlobalActiveStyle = 9;
        vGlobalActiveName = "Night";
        r.WirteActiveStyle();
        r.ReadActiveStyle();
        QCOMPARE(vGlobalActiveStyle, 16);
        QCOMPARE(vGlobalActiveName, QString("Office2007Blue"));
    }

    void unwritableKeyWritesNothing()
    {
        // A file where the key's folder should be: the key cannot be created.
        const QString folder = QFileInfo(optionsFile()).absolutePath();
        QDir().mkpath(QFileInfo(folder).absolutePath());
        QFile blocker(folder);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        vGlobalActiveStyle = 4;
        TSettingsRecord r;
        r.WirteActiveStyle();
        WriteOptionInteger("ZoomPercent", 120, 100);
        QVERIFY(QFileInfo(folder).isFile());
        r.ReadActiveStyle();
        QCOMPARE(vGlobalActiveStyle, 25);
    }

    void autostart_data()
    {
        QTest::addColumn<QString>("exec"); // "<none>": no entry
        QTest::addColumn<bool>("registered");
        const QString path = QCoreApplication::applicationFilePath();
        QTest::newRow("quoted path") << '"' + path + '"' << true;
        QTest::newRow("no quotes") << path << false;
        QTest::newRow("other case") << '"' + path.toUpper() + '"' << false;
        QTest::newRow("empty") << QString("") << false;
        QTest::newRow("no entry") << QString("<none>") << false;
    }

    void autostart()
    {
        QFETCH(QString, exec);
        QFETCH(bool, registered);
        const QString folder = KeyPath(RootKey::LocalMachine, kRunKey);
        if (exec != "<none>") {
            QDir().mkpath(folder);
            QFile f(folder + "/tevaka.desktop");
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(("[Desktop Entry]\nType=Application\nName=Tevaka\nExec=" + exec + "\n").toUtf8());
        }
        TSettingsRecord r;
        r.vStartWin = !registered;
        r.ReadSystemOptions();
        QCOMPARE(r.vStartWin, registered);
    }

    void autostartWrittenAndCleared()
    {
        const QString entry = KeyPath(RootKey::LocalMachine, kRunKey) + "/tevaka.desktop";
        WriteStartWin(true);
        QVERIFY(QFile::exists(entry));
        TSettingsRecord r;
        r.ReadSystemOptions();
        QVERIFY(r.vStartWin);
        QCOMPARE(GetRegistryData(RootKey::LocalMachine, kRunKey, "Tevaka").toString(), AutostartCommand());
        WriteStartWin(false);
        r.ReadSystemOptions();
        QVERIFY(!r.vStartWin);
        QVERIFY(!QFile::exists(entry));
    }

    void registryData()
    {
        QVERIFY(!GetRegistryData(RootKey::CurrentUser, kOptionsKey, "OpenSutta").isValid());
        QVERIFY(SetRegistryData(RootKey::CurrentUser, kOptionsKey, "OpenSutta", rdInteger, 3));
        QCOMPARE(GetRegistryData(RootKey::CurrentUser, kOptionsKey, "OpenSutta"), QVariant(3));
        // Unspecified type keeps the type the value has.
        QVERIFY(SetRegistryData(RootKey::CurrentUser, kOptionsKey, "OpenSutta", rdUnknown, "2"));
        QCOMPARE(GetRegistryData(RootKey::CurrentUser, kOptionsKey, "OpenSutta"), QVariant(2));
        QVERIFY(SetRegistryData(RootKey::CurrentUser, kOptionsKey, "Path", rdExpandString, "$HOME/x"));
        QCOMPARE(GetRegistryData(RootKey::CurrentUser, kOptionsKey, "Path").toString(), QString("$HOME/x"));
        QString error;
        QVERIFY(!SetRegistryData(RootKey::CurrentUser, kOptionsKey, "New", rdUnknown, 1, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!GetRegistryData(RootKey::CurrentUser, kOptionsKey, "Missing", &error).isValid());
    }
};

int main(int argc, char **argv)
{
    prepareTestEnvironment();
    QCoreApplication app(argc, argv);
    TestSettings t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_settings.moc"
