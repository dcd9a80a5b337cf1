#include "app/Options.h"
#include "common/AppGlobals.h"
#include "data/dmTevaka.h"
#include "look/ColorComboBox.h"
#include "settings/Registry.h"
#include "settings/SettingsRecord.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QtTest>

using namespace Registry;

static QVariant stored(const char *name) { return GetRegistryData(RootKey::CurrentUser, kOptionsKey, name); }

static void store(const QList<QPair<QString, QVariant>> &values)
{
    Key key;
    QVERIFY(key.open(RootKey::CurrentUser, kOptionsKey, true));
    for (const auto &v : values) {
        if (v.second.typeId() == QMetaType::QString)
            QVERIFY(key.writeString(v.first, v.second.toString()));
        else
            QVERIFY(key.writeInteger(v.first, v.second.toInt()));
    }
}

// A stored set of options that differs from the defaults in every value.
static void storeNonDefaults()
{
    store({{"OpenSutta", 2}, {"PopupActive", 0}, {"PopupTime", 45}, {"FontName", QString("DejaVu Sans")},
           {"BgColor", 0x00E6F0FA}, {"SeachHighlightColor", 0x0000FF00}});
}

class TestOptions : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestHome> home;
    std::unique_ptr<TfrmTevakaDM> dm;

private slots:
    void init()
    {
        home = std::make_unique<TestHome>();
        InitAppPath();
        SetFailingWritesForTest({});
        dm = std::make_unique<TfrmTevakaDM>();
        frmTevakaDM = dm.get();
        vInterfaceLang = 0;
        vFontName = "Segoe UI";
    }
    void cleanup()
    {
        frmTevakaDM = nullptr;
        dm.reset();
    }

    void loadsFromTheSettingsKey()
    {
        storeNonDefaults();
        TfrmOptions dlg;
        QCOMPARE(dlg.pcOptions->currentIndex(), 0);
        QCOMPARE(dlg.cbOpenSutta->currentIndex(), 1);
        QVERIFY(!dlg.cbPopupActive->isChecked());
        QCOMPARE(dlg.sePopupTime->value(), 45);
        QCOMPARE(dlg.cbFontName->currentText(), QString("DejaVu Sans"));
        QCOMPARE(dlg.ccbBgColor->colorValue(), 0x00E6F0FAu);
        QCOMPARE(dlg.ccbSeachHighlightColor->colorValue(), 0x0000FF00u);
    }

    // No key: the controls keep their built values; a value that cannot be
    // read stops loading there.
    void missingValues_data()
    {
        QTest::addColumn<bool>("withKey");
        QTest::addColumn<int>("openSutta");
        QTest::addColumn<bool>("popup");
        QTest::addColumn<int>("interval");
        QTest::newRow("no key") << false << -1 << false << 1;
        QTest::newRow("PopupTime missing") << true << 2 << true << 1;
    }
    void missingValues()
    {
        QFETCH(bool, withKey);
        QFETCH(int, openSutta);
        QFETCH(bool, popup);
        QFETCH(int, interval);
        if (withKey)
            store({{"OpenSutta", 3}, {"PopupActive", 1}, {"FontName", QString("DejaVu Sans")}});
        dm->vStartWin = true;
        TfrmOptions dlg;
        QCOMPARE(dlg.cbOpenSutta->currentIndex(), openSutta);
        QCOMPARE(dlg.cbPopupActive->isChecked(), popup);
        QCOMPARE(dlg.sePopupTime->value(), interval);
        QVERIFY(dlg.cbFontName->currentText() != "DejaVu Sans"); // read after the missing value
        QVERIFY(dlg.cbStartWin->isChecked());
    }

    void defaultsThenCancel()
    {
        storeNonDefaults();
        dm->vPopupTime = 45;
        dm->vOpenSutta = 2;
        vFontName = "DejaVu Sans";
        TfrmOptions dlg;
        dlg.acDefaultExecute();
        // The defaults are stored at once and shown ...
        QCOMPARE(stored("OpenSutta").toInt(), 1);
        QCOMPARE(stored("PopupActive").toInt(), 1);
        QCOMPARE(stored("PopupTime").toInt(), 30);
        QCOMPARE(stored("FontName").toString(), QString("Segoe UI"));
        QCOMPARE(quint32(stored("BgColor").toInt()), kWindowColor);
        QCOMPARE(quint32(stored("SeachHighlightColor").toInt()), kYellow);
        QCOMPARE(dlg.sePopupTime->value(), 30);
        QCOMPARE(dlg.cbFontName->currentText(), QString("Segoe UI"));
        QCOMPARE(dlg.ccbBgColor->colorValue(), kWindowColor);
        // ... cancel keeps them stored but leaves the running program's record alone.
        dlg.btnCancel->click();
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QCOMPARE(stored("PopupTime").toInt(), 30);
        QCOMPARE(dm->vPopupTime, 45);
        QCOMPARE(dm->vOpenSutta, 2);
        QCOMPARE(vFontName, QString("DejaVu Sans"));
    }

    void okWithoutChanges()
    {
        storeNonDefaults();
        TfrmOptions dlg;
        // Remove the values: OK must write back what it loaded.
        QVERIFY(QFile::remove(KeyPath(RootKey::CurrentUser, kOptionsKey)));
        dlg.btnOK->click();
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(stored("OpenSutta").toInt(), 2);
        QCOMPARE(stored("PopupActive").toInt(), 0);
        QCOMPARE(stored("PopupTime").toInt(), 45);
        QCOMPARE(stored("FontName").toString(), QString("DejaVu Sans"));
        QCOMPARE(stored("BgColor").toInt(), 0x00E6F0FA);
        QCOMPARE(stored("SeachHighlightColor").toInt(), 0x0000FF00);
        QCOMPARE(dm->vOpenSutta, 2);
        QCOMPARE(dm->vPopupTime, 45);
        QCOMPARE(dm->vPopupActive, false);
        QCOMPARE(dm->vBgColor, 0x00E6F0FAu);
        QCOMPARE(vFontName, QString("DejaVu Sans"));
    }

    // A failing write stops the remaining writes; OK still closes with OK.
    void okWithFailingWrite()
    {
        storeNonDefaults();
        TfrmOptions dlg;
        dlg.sePopupTime->setValue(99);
        dlg.ccbBgColor->setColorValue(0x000000FF);
        SetFailingWritesForTest({"PopupTime"});
        dlg.acOKExecute();
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(stored("PopupTime").toInt(), 45);
        QCOMPARE(stored("BgColor").toInt(), 0x00E6F0FA);
        QCOMPARE(dm->vPopupTime, 99);
        QCOMPARE(dm->vBgColor, 0x000000FFu);
    }

    // A font name matching no list entry is not stored, nor what follows it.
    void okWithUnknownFont()
    {
        storeNonDefaults();
        TfrmOptions dlg;
        dlg.cbFontName->setEditText("No Such Family 123");
        dlg.ccbSeachHighlightColor->setColorValue(0x00FF0000);
        dlg.acOKExecute();
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(stored("FontName").toString(), QString("DejaVu Sans"));
        QCOMPARE(stored("SeachHighlightColor").toInt(), 0x0000FF00);
        QCOMPARE(vFontName, QString("No Such Family 123"));
    }

    void interval_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("value");
        // A keystroke that would leave the range is refused; 0 alone is never accepted.
        QTest::newRow("0 refused") << "0" << 30;
        QTest::newRow("241: last digit refused") << "241" << 24;
        QTest::newRow("1") << "1" << 1;
        QTest::newRow("240") << "240" << 240;
        QTest::newRow("fraction: point refused") << "2.5" << 25;
    }
    void interval()
    {
        QFETCH(QString, typed);
        QFETCH(int, value);
        TfrmOptions dlg;
        dlg.sePopupTime->setValue(30);
        QLineEdit *edit = dlg.sePopupTime->findChild<QLineEdit *>();
        QVERIFY(edit);
        edit->selectAll();
        QTest::keyClicks(edit, typed);
        dlg.sePopupTime->interpretText();
        QCOMPARE(dlg.sePopupTime->value(), value);
        QCOMPARE(dlg.sePopupTime->text(), QString::number(value));
        dlg.sePopupTime->setValue(0);
        QCOMPARE(dlg.sePopupTime->value(), 1);
        dlg.sePopupTime->setValue(241);
        QCOMPARE(dlg.sePopupTime->value(), 240);
    }

    // Each focus change of the box writes the autostart entry from its state.
    void startWithSession()
    {
        TfrmOptions dlg;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        dlg.pcOptions->setCurrentWidget(dlg.tsSystem);
        const QVariant before = GetRegistryData(RootKey::LocalMachine, kRunKey, "Tevaka");
        QVERIFY(!before.isValid() || before.toString().isEmpty());

        dlg.cbStartWin->setChecked(true);
        dlg.cbStartWin->setFocus();
        QTRY_COMPARE(GetRegistryData(RootKey::LocalMachine, kRunKey, "Tevaka").toString(), AutostartCommand());

        dlg.cbStartWin->setChecked(false);
        dlg.btnOK->setFocus(); // leaving the box
        QTRY_COMPARE(GetRegistryData(RootKey::LocalMachine, kRunKey, "Tevaka").toString(), QString());

        dlg.cbStartWin->setChecked(true);
        dlg.cbStartWin->setFocus();
        QTRY_COMPARE(GetRegistryData(RootKey::LocalMachine, kRunKey, "Tevaka").toString(), AutostartCommand());
        dlg.btnCancel->click(); // the entry stays as written
        QCOMPARE(GetRegistryData(RootKey::LocalMachine, kRunKey, "Tevaka").toString(), AutostartCommand());
        QVERIFY(!dm->vStartWin);
    }

    void captionsByInterfaceLanguage_data()
    {
        QTest::addColumn<int>("lang");
        QTest::addColumn<QString>("fontCaption");
        QTest::addColumn<QString>("intervalCaption");
        QTest::newRow("Vietnamese") << 0 << QString::fromUtf8("Phông chữ") << QString::fromUtf8("phút/1 lần");
        QTest::newRow("English") << 1 << "Font name" << "second/1";
        QTest::newRow("other") << 2 << QString() << QString();
    }
    void captionsByInterfaceLanguage()
    {
        QFETCH(int, lang);
        QFETCH(QString, fontCaption);
        QFETCH(QString, intervalCaption);
        vInterfaceLang = lang;
        TfrmOptions dlg;
        dlg.show();
        QCOMPARE(dlg.lcFormatItemFontName->text(), fontCaption);
        QCOMPARE(dlg.lcSystemItemSecondPerNo->text(), intervalCaption);
        QCOMPARE(dlg.windowTitle(), QString::fromUtf8("Tùy chọn"));
    }
};

int main(int argc, char *argv[])
{
    prepareTestEnvironment();
    QApplication app(argc, argv);
    TestOptions t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_options.moc"
