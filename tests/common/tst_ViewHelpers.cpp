// HTMLStripTags, ColorToHTML, ConfirmDeleteRecord, HTMLBodyText.
#include "common/HtmlView.h"
#include "common/ViewHelpers.h"
#include "tests/support/TestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPalette>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

class TestViewHelpers : public QObject
{
    Q_OBJECT
private slots:
    void stripTags_data();
    void stripTags();
    void colorToHtml_data();
    void colorToHtml();
    void colorToHtmlSystemColours();
    void confirmDeleteRecord_data();
    void confirmDeleteRecord();
    void bodyText_data();
    void bodyText();
    void bodyTextLargePage();
};

void TestViewHelpers::stripTags_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QString>("text");

    // The Part's edge cases.
    QTest::newRow("amp-lt decoded once") << "<p>A &amp;lt; B</p>" << "A &lt; B";
    QTest::newRow("two blanks to one") << "word  word" << "word word";
    QTest::newRow("run of blanks keeps the last") << "a     b" << "a b";
    QTest::newRow("line feed joins words") << "word\nword" << "wordword";
    QTest::newRow("CR LF joins words") << "word\r\nword" << "wordword";
    QTest::newRow("lone CR dropped") << "a\rb" << "ab";
    QTest::newRow("blank before tag dropped") << "word <i>italic</i>" << "worditalic";
    QTest::newRow("blank after tag kept") << "<b>word</b> next" << "word next";
    QTest::newRow("nbsp kept") << "a&nbsp;b" << "a&nbsp;b";
    QTest::newRow("numeric references kept") << "&#259; &#x1EA1;" << "&#259; &#x1EA1;";
    QTest::newRow("unclosed tag drops the rest") << "text before<span class=\"x\" and more" << "text before";
    QTest::newRow("unclosed tag, blank before it") << "text <b" << "text";
    QTest::newRow("empty input") << "" << "";
    QTest::newRow("gt without lt dropped") << "a > b" << "a  b";
    QTest::newRow("gt only") << ">" << "";
    // The rest of the algorithm.
    QTest::newRow("entities in order") << "&quot;x&quot; &apos;y&apos; &gt; &lt;" << "\"x\" 'y' > <";
    QTest::newRow("entities case-sensitive") << "&AMP; &Lt; &QUOT;" << "&AMP; &Lt; &QUOT;";
    QTest::newRow("amp-amp decoded once") << "&amp;amp;" << "&amp;";
    QTest::newRow("decoded tags stay") << "&lt;b&gt;bold&lt;/b&gt;" << "<b>bold</b>";
    QTest::newRow("other named entity kept") << "&eacute;&copy;" << "&eacute;&copy;";
    QTest::newRow("tab before tab dropped") << "a\t\tb" << "a\tb";
    QTest::newRow("blank before tab dropped") << "a \tb" << "a\tb";
    QTest::newRow("tab before blank dropped") << "a\t b" << "a b";
    QTest::newRow("blank before line break dropped") << "a \nb" << "ab";
    QTest::newRow("trailing blank kept") << "a " << "a ";
    QTest::newRow("leading blanks keep one") << "   a" << " a";
    QTest::newRow("blank between tags dropped") << "</p> <p>" << "";
    QTest::newRow("text inside tag dropped") << "<a href=\"x > y\">z</a>" << " y\"z";
    QTest::newRow("comment is a tag") << "a<!-- c -->b" << "ab";
    QTest::newRow("vietnamese and pali kept") << "<p>Đức Phật <b>ṭhāna</b></p>" << "Đức Phậtṭhāna";
    QTest::newRow("no markup") << "plain text" << "plain text";
}

void TestViewHelpers::stripTags()
{
    QFETCH(QString, html);
    QFETCH(QString, text);
    QCOMPARE(HTMLStripTags(html), text);
}

void TestViewHelpers::colorToHtml_data()
{
    QTest::addColumn<quint32>("colour");
    QTest::addColumn<QString>("html");
    QTest::newRow("yellow") << quint32(0x0000FFFF) << "#ffff00";
    QTest::newRow("blue") << quint32(0x00FF0000) << "#0000ff";
    QTest::newRow("red") << quint32(0x000000FF) << "#ff0000";
    QTest::newRow("green") << quint32(0x0000FF00) << "#00ff00";
    QTest::newRow("black") << quint32(0x00000000) << "#000000";
    QTest::newRow("white") << quint32(0x00FFFFFF) << "#ffffff";
    QTest::newRow("mixed bytes") << quint32(0x00563412) << "#123456";
    QTest::newRow("ivory FFFFF0") << quint32(0x00F0FFFF) << "#fffff0";
    QTest::newRow("small values padded") << quint32(0x00030201) << "#010203";
    QTest::newRow("high byte not FF ignored") << quint32(0x1FFFFFFF) << "#ffffff";
}

void TestViewHelpers::colorToHtml()
{
    QFETCH(quint32, colour);
    QFETCH(QString, html);
    QCOMPARE(ColorToHTML(colour), html);
}

void TestViewHelpers::colorToHtmlSystemColours()
{
    const QPalette saved = QGuiApplication::palette();
    // The window background resolves to the palette's document background.
    QCOMPARE(ColorToHTML(0xFF000005), QGuiApplication::palette().color(QPalette::Base).name());

    QPalette pal = saved;
    pal.setColor(QPalette::Base, QColor("#fafbfc"));
    pal.setColor(QPalette::Text, QColor("#102030"));
    pal.setColor(QPalette::Highlight, QColor("#3366cc"));
    pal.setColor(QPalette::HighlightedText, QColor("#fefefe"));
    pal.setColor(QPalette::Button, QColor("#d4d0c8"));
    pal.setColor(QPalette::ButtonText, QColor("#010101"));
    QApplication::setPalette(pal);
    QCOMPARE(ColorToHTML(0xFF000005), QString("#fafbfc")); // COLOR_WINDOW
    QCOMPARE(ColorToHTML(0xFF000008), QString("#102030")); // COLOR_WINDOWTEXT
    QCOMPARE(ColorToHTML(0xFF00000D), QString("#3366cc")); // COLOR_HIGHLIGHT
    QCOMPARE(ColorToHTML(0xFF00000E), QString("#fefefe")); // COLOR_HIGHLIGHTTEXT
    QCOMPARE(ColorToHTML(0xFF00000F), QString("#d4d0c8")); // COLOR_BTNFACE
    QCOMPARE(ColorToHTML(0xFF000012), QString("#010101")); // COLOR_BTNTEXT
    QCOMPARE(ColorToHTML(0xFF0000FE), QString("#000000")); // no such index
    QApplication::setPalette(saved);

    // A light theme gives white.
    QPalette light;
    light.setColor(QPalette::Base, Qt::white);
    QApplication::setPalette(light);
    QCOMPARE(ColorToHTML(0xFF000005), QString("#ffffff"));
    QApplication::setPalette(saved);
}

void TestViewHelpers::confirmDeleteRecord_data()
{
    QTest::addColumn<int>("answer"); // 0 Yes, 1 No, 2 Escape
    QTest::addColumn<bool>("result");
    QTest::newRow("yes") << 0 << true;
    QTest::newRow("no") << 1 << false;
    QTest::newRow("closed") << 2 << false;
}

void TestViewHelpers::confirmDeleteRecord()
{
    QFETCH(int, answer);
    QFETCH(bool, result);
    QString text, title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool hadParent = true;
    int boxes = 0;
    QTimer timer;
    timer.setInterval(20);
    connect(&timer, &QTimer::timeout, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        timer.stop();
        ++boxes;
        text = box->text();
        title = box->windowTitle();
        icon = box->icon();
        hadParent = box->parentWidget() != nullptr;
        QCOMPARE(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
        if (answer == 0)
            box->button(QMessageBox::Yes)->click();
        else if (answer == 1)
            box->button(QMessageBox::No)->click();
        else
            QTest::keyClick(box, Qt::Key_Escape);
    });
    timer.start();
    const bool agreed = ConfirmDeleteRecord();
    QCOMPARE(agreed, result);
    QCOMPARE(boxes, 1);
    QCOMPARE(text, QString::fromUtf8("Đồng ý xóa dữ liệu đang chọn?"));
    QCOMPARE(title, QString::fromUtf8("Thông báo"));
    QCOMPARE(icon, QMessageBox::Question);
    QVERIFY(!hadParent);
    // No further message follows.
    QTest::qWait(50);
    QVERIFY(!QApplication::activeModalWidget());
}

static QString bodyTextOf(const QString &html, bool *called = nullptr)
{
    auto state = std::make_shared<std::pair<bool, QString>>(false, QString());
    HTMLBodyText(html, [state](const QString &text) {
        state->first = true;
        state->second = text;
    });
    QElapsedTimer t;
    t.start();
    while (!state->first && t.elapsed() < 20000)
        QTest::qWait(5);
    if (called)
        *called = state->first;
    return state->second;
}

void TestViewHelpers::bodyText_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QString>("text");
    QTest::newRow("snippet") << "<p>Hello <b>world</b></p><p>Đức Phật ṭhāna</p>"
                             << QString::fromUtf8("Hello world\n\nĐức Phật ṭhāna");
    QTest::newRow("entities decoded") << "a&nbsp;b &amp; c &lt;d&gt;" << QString::fromUtf8("a\u00a0b & c <d>");
    QTest::newRow("line break") << "one<br>two" << "one\ntwo";
    QTest::newRow("white space collapsed") << "a \n\n   b" << "a b";
    QTest::newRow("scripts and styles give no text")
        << "<style>p{color:red}</style><script>document.write('x')</script><p>only</p>" << "only";
    QTest::newRow("full document") << "<html><head><title>T</title></head><body>body</body></html>" << "body";
    QTest::newRow("empty") << "" << "";
}

void TestViewHelpers::bodyText()
{
    QFETCH(QString, html);
    QFETCH(QString, text);
    bool called = false;
    const QString got = bodyTextOf(html, &called);
    QVERIFY(called);
    QCOMPARE(got, text);
}

void TestViewHelpers::bodyTextLargePage()
{
    // Over 1 MB: through the page scheme, not a data address.
    QString html;
    const QString para = QString::fromUtf8("<p>Chưa có dữ liệu Đức Phật ṭhāna</p>");
    while (html.toUtf8().size() < 1200 * 1024)
        html += para.repeated(1000);
    html += QStringLiteral("<p>END-MARK</p>");
    const QString got = bodyTextOf(html);
    QVERIFY(got.startsWith(QString::fromUtf8("Chưa có dữ liệu Đức Phật ṭhāna\n\n")));
    QVERIFY(got.endsWith(QStringLiteral("END-MARK")));
}

int main(int argc, char **argv)
{
    prepareTestEnvironment();
    THtmlView::RegisterScheme();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    TestViewHelpers t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_ViewHelpers.moc"
