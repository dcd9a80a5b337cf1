#include "common/AppGlobals.h"
#include "look/DMInterface.h"
#include "look/SkinFile.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QFile>
#include <QtTest>

static QString shippedSkins() { return QStringLiteral(TEVAKA_SOURCE_DIR "/look/resources/AllSkins.skinres"); }

// Relative luminance contrast of two colours (WCAG).
static double contrast(const QColor &a, const QColor &b)
{
    auto lum = [](const QColor &c) {
        auto ch = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * ch(c.redF()) + 0.7152 * ch(c.greenF()) + 0.0722 * ch(c.blueF());
    };
    double la = lum(a), lb = lum(b);
    if (la < lb)
        std::swap(la, lb);
    return (la + 0.05) / (lb + 0.05);
}

static const char kTwoSkins[] = "; test skins\n"
                                "[Paper]\n"
                                "window = #f0f0f0\nbase = #ffffff\ntext = #101010\nbutton = #e0e0e0\nhighlight = #204080\n"
                                "style:\n"
                                "QToolTip { color: #101010; }\n"
                                "[Broken]\n"
                                "window = #000000\nbase = #000000\n"
                                "[Ink]\n"
                                "window = #202020\nbase = #101010\ntext = #eeeeee\nbutton = #303030\nhighlight = #6080c0\n"
                                "windowText = #dddddd\n";

class TestSkins : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestHome> home;

private slots:
    void init() { home = std::make_unique<TestHome>(); }

    void namesInFileOrder()
    {
        home->writeFile("s.skinres", kTwoSkins);
        QCOMPARE(SkinNames(home->appDir() + "s.skinres"), QStringList({"Paper", "Broken", "Ink"}));
    }

    void badFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // empty: no file
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("not UTF-8") << QByteArray("[Paper]\nwindow = #f0f0f0\xff\xfe\n");
    }
    void badFiles()
    {
        QFETCH(QByteArray, bytes);
        if (!bytes.isEmpty())
            home->writeFile("s.skinres", bytes);
        QVERIFY(SkinNames(home->appDir() + "s.skinres").isEmpty());
        TSkin skin;
        QVERIFY(!LoadSkin(home->appDir() + "s.skinres", "Paper", skin));
    }

    void loadSkin()
    {
        home->writeFile("s.skinres", kTwoSkins);
        const QString file = home->appDir() + "s.skinres";
        TSkin skin;
        QVERIFY(!LoadSkin(file, "Broken", skin));  // lacks required colours
        QVERIFY(!LoadSkin(file, "Nowhere", skin));
        QVERIFY(LoadSkin(file, "Paper", skin));
        QCOMPARE(skin.palette.color(QPalette::Window), QColor("#f0f0f0"));
        QCOMPARE(skin.palette.color(QPalette::WindowText), QColor("#101010")); // from text
        QCOMPARE(skin.palette.color(QPalette::HighlightedText), QColor(Qt::white));
        QCOMPARE(skin.styleSheet, QString("QToolTip { color: #101010; }"));
        QVERIFY(LoadSkin(file, "Ink", skin));
        QCOMPARE(skin.palette.color(QPalette::WindowText), QColor("#dddddd"));
        QVERIFY(skin.styleSheet.isEmpty());
    }

    void userSkinStylesTheApplication()
    {
        home->writeFile("s.skinres", kTwoSkins);
        TInterfaceDM dm;
        QCOMPARE(InterfaceDM, &dm);
        const QPalette before = QApplication::palette();
        QVERIFY(!dm.LoadUserSkin(home->appDir() + "s.skinres", "Broken"));
        dm.ApplyUserSkin(); // nothing loaded: the platform look stays
        QCOMPARE(QApplication::palette().color(QPalette::Window), before.color(QPalette::Window));
        QVERIFY(dm.LoadUserSkin(home->appDir() + "s.skinres", "Ink"));
        dm.ApplyUserSkin();
        QWidget later; // a window opened after the change gets the skin too
        QCOMPARE(later.palette().color(QPalette::Window), QColor("#202020"));
        QCOMPARE(dm.SkinCaptionFont.family(), QString("Tahoma"));
    }

    // The shipped file: 28 skins, every one loadable and readable.
    void shippedSkins()
    {
        const QStringList names = SkinNames(::shippedSkins());
        QCOMPARE(names.size(), 28);
        QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), 28);
        int dark = 0;
        for (const QString &name : names) {
            TSkin skin;
            QVERIFY2(LoadSkin(::shippedSkins(), name, skin), qPrintable(name));
            const QPalette &p = skin.palette;
            QVERIFY2(contrast(p.color(QPalette::Text), p.color(QPalette::Base)) >= 7, qPrintable(name));
            QVERIFY2(contrast(p.color(QPalette::WindowText), p.color(QPalette::Window)) >= 7, qPrintable(name));
            QVERIFY2(contrast(p.color(QPalette::ButtonText), p.color(QPalette::Button)) >= 7, qPrintable(name));
            QVERIFY2(contrast(p.color(QPalette::HighlightedText), p.color(QPalette::Highlight)) >= 4.5, qPrintable(name));
            QVERIFY2(!skin.styleSheet.isEmpty(), qPrintable(name));
            if (p.color(QPalette::Window).lightnessF() < 0.3)
                ++dark;
        }
        QVERIFY(dark >= 3);
    }
};

int main(int argc, char *argv[])
{
    prepareTestEnvironment();
    QApplication app(argc, argv);
    TestSkins t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_skins.moc"
