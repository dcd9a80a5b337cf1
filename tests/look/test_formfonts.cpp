#include "look/FontAliases.h"
#include "look/FontStyle.h"
#include "settings/SettingsRecord.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QComboBox>
#include <QCheckBox>
#include <QGraphicsDropShadowEffect>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QtTest>

static const QColor kDesignedColour(0x12, 0x34, 0x56);

static QWidget *make(const QString &kind)
{
    if (kind == "QFrame") return new QFrame;
    if (kind == "QWidget") return new QWidget;
    if (kind == "QLabel" || kind == "data QLabel") return new QLabel("Nhãn");
    if (kind == "QGroupBox") return new QGroupBox("Nhóm");
    if (kind == "QTreeView") return new QTreeView;
    if (kind == "QComboBox") return new QComboBox;
    if (kind == "editable QComboBox") {
        auto *c = new QComboBox;
        c->setEditable(true);
        return c;
    }
    if (kind == "QSpinBox") return new QSpinBox;
    if (kind == "QPushButton") return new QPushButton("Nút");
    if (kind == "QToolButton") return new QToolButton;
    if (kind == "QLineEdit" || kind == "data QLineEdit") return new QLineEdit;
    if (kind == "QTextEdit") return new QTextEdit;
    if (kind == "QTabWidget") return new QTabWidget;
    if (kind == "QMenuBar") return new QMenuBar;
    if (kind == "QToolBar") return new QToolBar;
    if (kind == "QMenu") return new QMenu;
    if (kind == "QCheckBox") return new QCheckBox;
    return nullptr;
}

class TestFormFonts : public QObject
{
    Q_OBJECT
private slots:
    // One component of each kind, designed in Courier 20 bold with its own
    // text colour, after one ApplyFormFonts run.
    void applyFormFonts_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("tag");
        QTest::addColumn<int>("skin");      // vGlobalActiveStyle
        QTest::addColumn<QString>("family"); // "" = designed font kept
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("italic");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<QString>("colour"); // "designed", "inherited" or #rrggbb
        QTest::addColumn<int>("shadow");     // raised effect depth, 0 = none

        const QString base = "Segoe UI";
        auto row = [](const char *name) -> QTestData & { return QTest::newRow(name); };
        row("panel") << "QFrame" << 7 << 25 << base << 10 << false << false << "inherited" << 0;
        row("plain widget panel") << "QWidget" << 0 << 25 << base << 10 << false << false << "inherited" << 0;
        row("data label 0") << "data QLabel" << 0 << 25 << base << 10 << false << false << "inherited" << 0;
        row("data label 10") << "data QLabel" << 10 << 25 << base << 10 << true << false << "designed" << 0;
        row("data label -1") << "data QLabel" << -1 << 25 << base << 9 << true << false << "designed" << 0;
        row("data label 3 unchanged") << "data QLabel" << 3 << 25 << "" << 20 << false << true << "designed" << 0;
        row("group 1") << "QGroupBox" << 1 << 25 << base << 10 << false << false << "inherited" << 0;
        row("group 0 unchanged") << "QGroupBox" << 0 << 25 << "" << 20 << false << true << "designed" << 0;
        row("grid") << "QTreeView" << 5 << 25 << base << 10 << false << false << "inherited" << 0;
        row("list box") << "QComboBox" << 4 << 25 << base << 10 << false << false << "inherited" << 0;
        row("spin box") << "QSpinBox" << 2 << 25 << base << 10 << false << false << "inherited" << 0;
        row("data text box 1") << "data QLineEdit" << 1 << 25 << base << 10 << false << false << "inherited" << 0;
        row("label 0") << "QLabel" << 0 << 25 << base << 10 << false << false << "inherited" << 0;
        row("label 1 accent 25") << "QLabel" << 1 << 25 << base << 10 << false << false << "#374d84" << 0;
        row("label 1 accent 5") << "QLabel" << 1 << 5 << base << 10 << false << false << "#ebe9ed" << 0;
        row("label 1 no accent past 28") << "QLabel" << 1 << 29 << base << 10 << false << false << "designed" << 0;
        row("label 2") << "QLabel" << 2 << 25 << "" << 12 << false << true << "designed" << 0;
        row("label 3") << "QLabel" << 3 << 25 << "" << 14 << false << true << "designed" << 0;
        row("label 4") << "QLabel" << 4 << 25 << "" << 18 << false << true << "designed" << 0;
        row("label 5") << "QLabel" << 5 << 25 << "" << 24 << false << true << "#000080" << 1;
        row("label 6") << "QLabel" << 6 << 25 << "" << 36 << false << true << "designed" << 0;
        row("label 7") << "QLabel" << 7 << 25 << "" << 48 << false << true << "#800000" << 2;
        row("label 10") << "QLabel" << 10 << 25 << base << 10 << true << false << "designed" << 0;
        row("label 11") << "QLabel" << 11 << 24 << base << 11 << false << false << "#3a5a25" << 0;
        row("label -1 unchanged") << "QLabel" << -1 << 25 << "" << 20 << false << true << "designed" << 0;
        row("button 0") << "QPushButton" << 0 << 25 << base << 10 << false << false << "inherited" << 0;
        row("button -1") << "QPushButton" << -1 << 25 << base << 9 << false << false << "inherited" << 0;
        row("button 3 unchanged") << "QPushButton" << 3 << 25 << "" << 20 << false << true << "designed" << 0;
        row("tool button 0") << "QToolButton" << 0 << 25 << base << 10 << false << false << "inherited" << 0;
        row("button edit 0") << "editable QComboBox" << 0 << 25 << base << 10 << false << false << "inherited" << 0;
        row("button edit 1") << "editable QComboBox" << 1 << 25 << base << 10 << false << false << "#a0a0a4" << 0;
        row("text box 0") << "QLineEdit" << 0 << 25 << base << 10 << false << false << "inherited" << 0;
        row("text box 1") << "QLineEdit" << 1 << 25 << base << 10 << false << false << "#a0a0a4" << 0;
        row("text box 2 unchanged") << "QLineEdit" << 2 << 25 << "" << 20 << false << true << "designed" << 0;
        row("memo 1") << "QTextEdit" << 1 << 25 << base << 10 << false << false << "#a0a0a4" << 0;
        row("page control") << "QTabWidget" << 9 << 25 << base << 10 << false << false << "inherited" << 0;
        row("bar manager") << "QMenuBar" << 0 << 25 << base << 10 << false << false << "inherited" << 0;
        row("toolbar") << "QToolBar" << 3 << 25 << base << 10 << false << false << "inherited" << 0;
        row("pop-up menu") << "QMenu" << 0 << 25 << base << 10 << false << false << "inherited" << 0;
        row("other kind unchanged") << "QCheckBox" << 0 << 25 << "" << 20 << false << true << "designed" << 0;
    }

    void applyFormFonts()
    {
        QFETCH(QString, kind);
        QFETCH(int, tag);
        QFETCH(int, skin);
        QFETCH(QString, family);
        QFETCH(int, size);
        QFETCH(bool, italic);
        QFETCH(bool, bold);
        QFETCH(QString, colour);
        QFETCH(int, shadow);

        std::unique_ptr<QWidget> w(make(kind));
        QVERIFY(w);
        QFont designed("Courier", 20);
        designed.setBold(true);
        designed.setStyleStrategy(QFont::NoAntialias);
        w->setFont(designed);
        // Labels paint with WindowText, the edit kinds with Text.
        const QPalette::ColorRole role = qobject_cast<QLabel *>(w.get()) ? QPalette::WindowText : QPalette::Text;
        QPalette p = w->palette();
        p.setColor(role, kDesignedColour);
        w->setPalette(p);
        w->setProperty("tag", tag);
        if (kind.startsWith("data "))
            w->setProperty("dataBound", true);
        vGlobalActiveStyle = skin;

        ApplyFormFonts(w.get());

        const QFont f = w->font();
        QCOMPARE(f.family(), family.isEmpty() ? QString("Courier") : family);
        QCOMPARE(f.pointSize(), size);
        QCOMPARE(f.italic(), italic);
        QCOMPARE(f.bold(), bold);
        const bool changed = !(family.isEmpty() && size == 20);
        QCOMPARE(bool(f.styleStrategy() & QFont::PreferAntialias), changed);
        QCOMPARE(bool(f.styleStrategy() & QFont::NoAntialias), !changed);

        const QColor shown = w->palette().color(role);
        if (colour == "designed")
            QCOMPARE(shown, kDesignedColour);
        else if (colour == "inherited")
            QCOMPARE(shown, QApplication::palette(w.get()).color(role));
        else
            QCOMPARE(shown.name(), colour);

        auto *effect = qobject_cast<QGraphicsDropShadowEffect *>(w->graphicsEffect());
        QCOMPARE(effect != nullptr, shadow > 0);
        if (effect) {
            QCOMPARE(effect->offset(), QPointF(shadow, shadow));
            QCOMPARE(effect->color(), QColor(Qt::white));
        }
        if (changed) {
            QCOMPARE(recFontStyle.rFontName, QString("Segoe UI"));
            QCOMPARE(recFontStyle.rFontSize, 10);
        }
    }

    void nonWidgetsAreLeftAlone()
    {
        QObject o;
        o.setProperty("tag", 1);
        ApplyFormFonts(&o); // must not crash
        QVERIFY(!o.isWidgetType());
    }

    // The design font resolves to a family that has the Vietnamese and Pali letters.
    void segoeResolvesToCoveringFamily()
    {
        const QFontInfo info(QFont("Segoe UI", 10));
        const QFontMetrics m{QFont("Segoe UI", 10)};
        for (QChar c : QString::fromUtf8("ĐđƯươăâêôơ ṭḍṇṅñṃāīū"))
            QVERIFY2(c.isSpace() || m.inFont(c), qPrintable(QString("missing %1 in %2").arg(c).arg(info.family())));
    }
};

int main(int argc, char *argv[])
{
    prepareTestEnvironment();
    InstallFontAliases();
    QApplication app(argc, argv);
    InstallFontSubstitutes();
    TestFormFonts t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_formfonts.moc"
