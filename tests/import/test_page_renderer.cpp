#include "BilaraJson.h"
#include "PageRenderer.h"
#include "tests/support/TestSupport.h"

#include <QCoreApplication>
#include <QtTest>

using namespace PageRenderer;

class TestPageRenderer : public QObject
{
    Q_OBJECT
private slots:
    void parseKeepsFileOrder()
    {
        Segments s;
        QString error;
        int line = 0;
        const QByteArray json = "{\"mn1:2.1\": \"b\", \"mn1:10.1\": \"c\\u0101 \\\"q\\\"\", \"mn1:1.1\": \"a\"}";
        QVERIFY(ParseBilara(json, s, &error, &line));
        QCOMPARE(s.size(), 3);
        QCOMPARE(s[0].first, QString("mn1:2.1"));
        QCOMPARE(s[1].first, QString("mn1:10.1"));
        QCOMPARE(s[1].second, QString::fromUtf8("cā \"q\""));
        QCOMPARE(s[2].first, QString("mn1:1.1"));
    }

    void parseErrors_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<int>("line");
        QTest::newRow("unterminated") << QByteArray("{\n\"a:1\": \"x\n") << 2;
        QTest::newRow("number value") << QByteArray("{\"a:1\": \"x\",\n\"a:2\": 5}") << 2;
        QTest::newRow("missing comma") << QByteArray("{\"a:1\": \"x\"\n\n\"a:2\": \"y\"}") << 3;
        QTest::newRow("array") << QByteArray("[\"x\"]") << 1;
        QTest::newRow("trailing text") << QByteArray("{}\n{}") << 2;
    }

    void parseErrors()
    {
        QFETCH(QByteArray, json);
        QFETCH(int, line);
        Segments s;
        QString error;
        int at = 0;
        QVERIFY(!ParseBilara(json, s, &error, &at));
        QVERIFY(!error.isEmpty());
        QCOMPARE(at, line);
    }

    void inlineHtml_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("html");
        QTest::newRow("ampersand") << "Rājagaha & Nāḷandā" << QString::fromUtf8("Rājagaha &amp; Nāḷandā");
        QTest::newRow("less than") << "1 < 2 > 0" << "1 &lt; 2 &gt; 0";
        QTest::newRow("allowed tags") << "<b>x</b> <em>y</em>" << "<b>x</b> <em>y</em>";
        QTest::newRow("pali tag") << "<i lang='pi' translate='no'>bhikkhave</i>" << "<i lang='pi' translate='no'>bhikkhave</i>";
        QTest::newRow("link") << "<a href='#x'>x</a>" << "<a href='#x'>x</a>";
        QTest::newRow("j") << "mind<j>is chief" << "mind<br>is chief";
        QTest::newRow("other tag escaped") << "<script>x</script>" << "&lt;script&gt;x&lt;/script&gt;";
        QTest::newRow("entity-like text") << "&amp;" << "&amp;amp;";
    }

    void inlineHtml()
    {
        QFETCH(QString, text);
        QFETCH(QString, html);
        QCOMPARE(InlineHtml(text), html);
    }

    void bodyStructure()
    {
        BilaraText t{"dn1", {{"dn1:0.1", "Dīgha 1 "}, {"dn1:0.2", "Brahmajāla "}, {"dn1:1.1", "A "}, {"dn1:1.2", "B "},
                             {"dn1:2.1", "C "}, {"dn1:10.1", "D "}}};
        const QString body = BilaraBody({t}, false);
        QCOMPARE(body.count("<p>"), 3); // sections 1, 2, 10
        QVERIFY(body.contains("<p>A B</p>"));
        QVERIFY(body.indexOf("<p>C</p>") < body.indexOf("<p>D</p>"));
        QVERIFY(body.contains(QString::fromUtf8("<h4 class=\"division\">Dīgha 1</h4>")));
        QVERIFY(body.contains(QString::fromUtf8("<h2>Brahmajāla</h2>")));
        QVERIFY(!body.contains("<a name"));
    }

    void verseLines()
    {
        BilaraText t{"dhp1-20", {{"dhp1:1", "Mano, "}, {"dhp1:2", "mano; "}, {"dhp2:1", "Manasā "}}};
        const QString body = BilaraBody({t}, false);
        QCOMPARE(body.count("<p class=\"verse\">"), 2);
        QVERIFY(body.contains("Mano,<br>\nmano;"));
    }

    void subHeadingsStandAlone()
    {
        BilaraText t{"dn22", {{"dn22:0.1", "Long 22 "}, {"dn22:3.0", "1.2. The Postures "}, {"dn22:3.1", "Furthermore, "},
                              {"dn22:3.2", "when walking. "}, {"thag1.1:1.0.1", "Background "}}};
        const QString body = BilaraBody({t}, false);
        QVERIFY(body.contains("<h3>1.2. The Postures</h3>\n<p>Furthermore, when walking.</p>"));
        QVERIFY(body.contains("<h3>Background</h3>"));
    }

    void versePassageInProse()
    {
        BilaraText t{"sn1.1", {{"sn1.1:1.1", "So I have heard. "}, {"sn1.1:1.2", "At one time the Buddha stayed near the town. "},
                               {"sn1.1:2.1", "“After a long time I see "}, {"sn1.1:2.2", "a brahmin fully quenched. "},
                               {"sn1.1:2.3", "Neither standing nor swimming, "}, {"sn1.1:2.4", "he has crossed over.” "},
                               {"sn1.1:3.1", "This is what the deity said. "}, {"sn1.1:3.2", "The teacher approved. "}}};
        const QString body = BilaraBody({t}, false);
        QVERIFY(body.contains("<p>So I have heard. At one time the Buddha stayed near the town.</p>"));
        QVERIFY(body.contains(QString::fromUtf8("<p class=\"verse\">“After a long time I see<br>\na brahmin fully quenched.<br>\n")));
        QVERIFY(body.contains("<p>This is what the deity said. The teacher approved.</p>"));
    }

    void groupedLeaf()
    {
        BilaraText a{"sn1.1", {{"sn1.1:0.1", "First "}, {"sn1.1:1.1", "one "}}};
        BilaraText b{"sn1.2", {{"sn1.2:0.1", "Second "}, {"sn1.2:1.1", "two "}}};
        const QString body = BilaraBody({a, b}, true);
        const int first = body.indexOf("<a name=\"sn1.1\" id=\"sn1.1\"></a>");
        const int second = body.indexOf("<a name=\"sn1.2\" id=\"sn1.2\"></a>");
        QVERIFY(first >= 0 && second > first);
        QVERIFY(body.indexOf("<h2>First</h2>") > first && body.indexOf("<h2>First</h2>") < second);
        QVERIFY(body.indexOf("<h2>Second</h2>") > second);
    }

    void documentCarriesTheReplaceableStyle()
    {
        const QString page = QString::fromUtf8(Document("T & t", MarkdownBody("# Tiêu đề\n\n## [Phần một](#toc)\n\n**đậm** _nghiêng_ 1\\.\n\n<script>x</script>\n")));
        QVERIFY(page.startsWith("<!DOCTYPE html>"));
        QVERIFY(page.contains("#FFFFF0"));
        QVERIFY(page.contains("\"Segoe UI\""));
        QCOMPARE(page.count("150%"), 1); // only the paragraph line height
        QVERIFY(page.contains("<title>T &amp; t</title>"));
        QVERIFY(page.contains(QString::fromUtf8("<h1>Tiêu đề</h1>")));
        QVERIFY(page.contains(QString::fromUtf8("<strong>đậm</strong> <em>nghiêng</em> 1.")));
        QVERIFY(!page.contains("<script>"));
        QVERIFY(page.contains(QString::fromUtf8("<h2>Phần một</h2>")));
    }
};

int main(int argc, char **argv)
{
    prepareTestEnvironment();
    QCoreApplication app(argc, argv);
    TestPageRenderer t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_page_renderer.moc"
