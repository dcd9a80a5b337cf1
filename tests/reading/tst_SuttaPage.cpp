#include "reading/SuttaPage.h"

#include <QtTest>

using namespace SuttaPage;

class TestSuttaPage : public QObject
{
    Q_OBJECT
private slots:
    void hostStyleSheet();
    void settings_data();
    void settings();
    void margin_data();
    void margin();
    void noticeMessage_data();
    void noticeMessage();
    void noticePageBytes();
    void composeChoosesNotice();
    void otherPage_data();
    void otherPage();
};

void TestSuttaPage::hostStyleSheet()
{
    QCOMPARE(HostStyleSheet("#ffffe0"),
             QString("body {background-color: #ffffe0}\r\np {\r\nline-height: 175%\r\n}\r\n"));
}

void TestSuttaPage::settings_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("font");
    QTest::addColumn<QByteArray>("expected");
    const QString vi = QString::fromUtf8("Tiếng Việt");
    QTest::newRow("both colours, any case")
        << QByteArray("<body bgcolor=\"#FFFFF0\"><p style=\"background:#ffffff\">x</p><i style=\"color:#fFfFf0\">")
        << "Arial" << QByteArray("<body bgcolor=\"#102030\"><p style=\"background:#102030\">x</p><i style=\"color:#102030\">");
    QTest::newRow("font any case, size") << QByteArray("font-family:'segoe ui';font-size:150%;x:SEGOE UI")
                                         << "Noto Serif" << QByteArray("font-family:'Noto Serif';font-size:200%;x:Noto Serif");
    QTest::newRow("empty font removes the name") << QByteArray("face=\"Segoe UI\"") << "" << QByteArray("face=\"\"");
    QTest::newRow("font name in UTF-8") << QByteArray("Segoe UI") << vi << vi.toUtf8();
    QTest::newRow("UTF-8 text kept byte for byte")
        << QString::fromUtf8("<p>Đức Phật đang trú ở Sāvatthī, 150% #FFFFFF</p>").toUtf8() << "Arial"
        << QString::fromUtf8("<p>Đức Phật đang trú ở Sāvatthī, 200% #102030</p>").toUtf8();
    QTest::newRow("near misses stay") << QByteArray("#FFFFF1 #FFFFF Segoe 15%") << "Arial"
                                      << QByteArray("#FFFFF1 #FFFFF Segoe 15%");
    QTest::newRow("adjacent occurrences") << QByteArray("150%150%") << "Arial" << QByteArray("200%200%");
}

void TestSuttaPage::settings()
{
    QFETCH(QByteArray, stored);
    QFETCH(QString, font);
    QFETCH(QByteArray, expected);
    QCOMPARE(ApplySettings(stored, "#102030", font, true), expected);
}

void TestSuttaPage::margin_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<QByteArray>("expected");
    const QByteArray page = "<html><body>T</body></html>";
    QTest::newRow("0") << 0 << page;
    QTest::newRow("1") << 1 << QByteArray("<blockquote>\r" + page + "\r</blockquote>");
    QTest::newRow("2") << 2 << QByteArray("<blockquote> <blockquote>\r" + page + "\r</blockquote> </blockquote>");
    QTest::newRow("3") << 3
                       << QByteArray("<blockquote> <blockquote> <blockquote>\r" + page
                                     + "\r</blockquote> </blockquote> </blockquote>");
    QTest::newRow("-1 as 0") << -1 << page;
    QTest::newRow("4 as 0") << 4 << page;
}

void TestSuttaPage::margin()
{
    QFETCH(int, level);
    QFETCH(QByteArray, expected);
    QCOMPARE(WrapMargin("<html><body>T</body></html>", level), expected);
    // The composed page applies the settings first, then wraps.
    QCOMPARE(ComposeSuttaPage("<html><body>T</body></html>", "#000000", "Arial", level, "n"), expected);
}

void TestSuttaPage::noticeMessage_data()
{
    QTest::addColumn<int>("idTvc");
    QTest::addColumn<int>("lang");
    QTest::addColumn<QString>("expected");
    QTest::newRow("sutta, Vietnamese") << 12 << 0 << QString::fromUtf8("Chưa có dữ liệu...");
    QTest::newRow("sutta, English") << 2999 << 1 << QString("No data to display...");
    QTest::newRow("empty tree reads 0") << 0 << 1 << QString("No data to display...");
    QTest::newRow("node, Vietnamese") << 3000 << 0 << QString::fromUtf8("Phẩm Giới");
    QTest::newRow("node, English") << 3101 << 1 << QString("Chapter on Ethics");
    QTest::newRow("other interface language") << 5 << 2 << QString();
}

void TestSuttaPage::noticeMessage()
{
    QFETCH(int, idTvc);
    QFETCH(int, lang);
    QFETCH(QString, expected);
    QCOMPARE(NoticeMessage(idTvc, QString::fromUtf8("Phẩm Giới"), "Chapter on Ethics", lang), expected);
    // A node without an English name gives an empty heading.
    if (idTvc >= 3000 && lang == 1)
        QCOMPARE(NoticeMessage(idTvc, "x", QString(), lang), QString());
}

void TestSuttaPage::noticePageBytes()
{
    const QByteArray expected =
        "<HTML>\r<head>\r<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\" />\r"
        "<font face = \"Segoe UI\">\r<h3> <p ALIGN=\"CENTER\"> <br> <font face=\"Times New Roman\" color=\"#800000\">"
        "Ch\xC6\xB0" "a c\xC3\xB3 d\xE1\xBB\xAF li\xE1\xBB\x87u..."
        "</font> </p> </h3></font>\r</head>\r</HTML>";
    QCOMPARE(NoticePage(QString::fromUtf8("Chưa có dữ liệu...")), expected);
}

void TestSuttaPage::composeChoosesNotice()
{
    // An empty text gets the notice, with neither the replacements nor the margin.
    const QByteArray page = ComposeSuttaPage(QByteArray(), "#123456", "Arial", 3, "M");
    QCOMPARE(page, NoticePage("M"));
    QVERIFY(page.contains("Segoe UI"));
}

void TestSuttaPage::otherPage_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<int>("level");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("own colours stay") << QByteArray("<body bgcolor=\"#FFFFF0\" style=\"font:150% Segoe UI\">") << 0
                                      << QByteArray("<body bgcolor=\"#FFFFF0\" style=\"font:200% Arial\">");
    QTest::newRow("wrapped") << QByteArray("x") << 1 << QByteArray("<blockquote>\rx\r</blockquote>");
    QTest::newRow("blank text gives no page") << QByteArray(" \r\n\t") << 2 << QByteArray();
}

void TestSuttaPage::otherPage()
{
    QFETCH(QByteArray, stored);
    QFETCH(int, level);
    QFETCH(QByteArray, expected);
    QCOMPARE(ComposeOtherPage(stored, "Arial", level), expected);
}

int main(int argc, char *argv[])
{
    TestSuttaPage test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_SuttaPage.moc"
