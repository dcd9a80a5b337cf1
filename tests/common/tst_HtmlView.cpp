// The program's HTML view (THtmlView) under the offscreen platform.
#include "common/FindBar.h"
#include "common/HtmlPage.h"
#include "common/HtmlView.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QMimeData>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <QtTest>

namespace {

constexpr int kLoadTimeout = 20000;

// Records the addresses of beforeNavigate (a QSignalSpy cannot take bool&).
struct NavigationLog
{
    QList<QUrl> urls;
    explicit NavigationLog(THtmlView &view)
    {
        QObject::connect(&view, &THtmlView::beforeNavigate, &view, [this](const QUrl &url, bool &) { urls << url; });
    }
};

// Runs a script in the isolated world and waits for its result.
QVariant js(THtmlView &view, const QString &script)
{
    auto state = std::make_shared<std::pair<bool, QVariant>>(false, QVariant());
    view.page()->runJavaScript(script, QWebEngineScript::ApplicationWorld, [state](const QVariant &v) {
        state->first = true;
        state->second = v;
    });
    QElapsedTimer t;
    t.start();
    while (!state->first && t.elapsed() < 10000)
        QTest::qWait(5);
    return state->second;
}

// Loads a page and waits for its document-complete; returns its ok flag.
bool load(THtmlView &view, const QByteArray &html)
{
    QSignalSpy spy(&view, &THtmlView::documentComplete);
    view.loadHtml(html);
    if (!spy.wait(kLoadTimeout))
        return false;
    return spy.first().at(0).toBool();
}

// The centre of an element, in view coordinates.
QPoint centreOf(THtmlView &view, const QString &id)
{
    const QVariantList r =
        js(view, QStringLiteral("(function(){var r=document.getElementById('%1').getBoundingClientRect();"
                                "return [r.left + r.width / 2, r.top + r.height / 2];})()")
                     .arg(id))
            .toList();
    if (r.size() != 2)
        return QPoint(-1, -1);
    const qreal zoom = view.engineView()->zoomFactor();
    return QPoint(qRound(r[0].toDouble() * zoom), qRound(r[1].toDouble() * zoom));
}

QWidget *renderWidget(THtmlView &view)
{
    QWidget *w = view.engineView()->focusProxy();
    return w ? w : view.engineView();
}

QByteArray longPage(int paragraphs, const QByteArray &extra = QByteArray())
{
    QByteArray body;
    for (int i = 0; i < paragraphs; ++i)
        body += "<p id=\"p" + QByteArray::number(i) + "\">Đoạn " + QByteArray::number(i)
                + " — Chưa có dữ liệu, Đức Phật thuyết giảng tại Sāvatthī.</p>\n";
    return "<html><head><meta charset=\"utf-8\"></head><body>" + body + extra + "</body></html>";
}

} // namespace

// Receives the addresses handed to the system (QDesktopServices::setUrlHandler).
class UrlReceiver : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl &url) { urls << url; }
};

class TestHtmlView : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void largePageThroughScheme();
    void replacedPageReportsOnce();
    void programLoadRaisesNoBeforeNavigate();
    void hostStyleSheetBeneathPage();
    void hostStyleSheetKeepsDocumentMode();
    void highlightAcrossElements();
    void highlightNoMatch();
    void scrollToFirstAlignsTop();
    void externalLinksHandedOut();
    void localLinkContainingHttpStays();
    void ownerCancelsNavigation();
    void reloadRefused();
    void remoteSubresourcesBlocked_data();
    void remoteSubresourcesBlocked();
    void pageScriptsNeverRun();
    void zoom();
    void scrollPosition();
    void contextMenuRequest();
    void wordAtPoint();
    void selection();
    void findBar();
    void saveHtmlAndPdf();

private:
    std::unique_ptr<THtmlView> m_view;
    UrlReceiver m_receiver;
};

void TestHtmlView::initTestCase()
{
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &m_receiver, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &m_receiver, "open");
}

void TestHtmlView::cleanupTestCase()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
}

void TestHtmlView::init()
{
    m_receiver.urls.clear();
    m_view = std::make_unique<THtmlView>();
    m_view->resize(800, 600);
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
}

void TestHtmlView::cleanup()
{
    m_view.reset();
}

void TestHtmlView::largePageThroughScheme()
{
    QByteArray page = "<html><head></head><body>";
    const QByteArray para = "<p>Chưa có dữ liệu — Đức Phật thuyết giảng; Pāli: ṭhāna, ñāṇa, saṃyutta.</p>\n";
    int paragraphs = 0;
    for (; page.size() < 1200 * 1024; ++paragraphs)
        page += para;
    page += "<p id=\"end\">KẾT THÚC</p></body></html>";
    QVERIFY(page.size() > 1024 * 1024);

    QSignalSpy spy(m_view.get(), &THtmlView::documentComplete);
    m_view->loadHtml(page);
    QVERIFY(spy.wait(kLoadTimeout));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.first().at(0).toBool(), true);
    QCOMPARE(js(*m_view, "document.characterSet").toString(), QString("UTF-8"));
    QCOMPARE(js(*m_view, "document.getElementById('end').textContent").toString(), QString::fromUtf8("KẾT THÚC"));
    QCOMPARE(js(*m_view, "document.getElementsByTagName('p').length").toInt(), paragraphs + 1);
    QVERIFY(js(*m_view, "document.body.innerText").toString().startsWith(
        QString::fromUtf8("Chưa có dữ liệu — Đức Phật thuyết giảng; Pāli: ṭhāna, ñāṇa, saṃyutta.")));
    QCOMPARE(m_view->html(), page);
}

void TestHtmlView::replacedPageReportsOnce()
{
    QSignalSpy spy(m_view.get(), &THtmlView::documentComplete);
    m_view->loadHtml(longPage(3000));
    m_view->loadHtml("<p id=\"second\">second page</p>");
    QVERIFY(spy.wait(kLoadTimeout));
    QTest::qWait(500);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.first().at(0).toBool(), true);
    QCOMPARE(js(*m_view, "document.body.innerText").toString(), QString("second page"));
}

void TestHtmlView::programLoadRaisesNoBeforeNavigate()
{
    NavigationLog nav(*m_view);
    QVERIFY(load(*m_view, "<p>one</p>"));
    QVERIFY(load(*m_view, "<p>two</p>"));
    QVERIFY(nav.urls.isEmpty());
}

void TestHtmlView::hostStyleSheetBeneathPage()
{
    // The reader's host style sheet.
    m_view->setHostStyleSheet("body {background-color: #123456}\r\np {\r\nline-height: 175%\r\n}\r\n");
    QVERIFY(load(*m_view, "<html><head></head><body><p style=\"font-size:20px\">text</p></body></html>"));
    QCOMPARE(js(*m_view, "getComputedStyle(document.body).backgroundColor").toString(), QString("rgb(18, 52, 86)"));
    QCOMPARE(js(*m_view, "getComputedStyle(document.querySelector('p')).lineHeight").toString(), QString("35px"));
    // The sheet is the first element of <head>.
    QCOMPARE(js(*m_view, "document.head.firstElementChild.id").toString(), QString("tevaka-host-style"));

    // Any rule of the page wins, even a less specific one.
    QVERIFY(load(*m_view, "<html><head><style>* {background-color: #ff0000} p {line-height: 10px}</style></head>"
                          "<body><p>text</p></body></html>"));
    QCOMPARE(js(*m_view, "getComputedStyle(document.body).backgroundColor").toString(), QString("rgb(255, 0, 0)"));
    QCOMPARE(js(*m_view, "getComputedStyle(document.querySelector('p')).lineHeight").toString(), QString("10px"));

    // The margin wrapping puts text before <HTML>; the sheet still applies.
    QVERIFY(load(*m_view, "<blockquote>\r<HTML><head></head><body><p>x</p></body></HTML>\r</blockquote>"));
    QCOMPARE(js(*m_view, "getComputedStyle(document.body).backgroundColor").toString(), QString("rgb(18, 52, 86)"));
    QCOMPARE(js(*m_view, "document.querySelectorAll('blockquote').length").toInt(), 1);

    // Without a sheet nothing is inserted.
    m_view->setHostStyleSheet(QString());
    QVERIFY(load(*m_view, "<p>x</p>"));
    QCOMPARE(js(*m_view, "document.getElementById('tevaka-host-style') === null").toBool(), true);
}

void TestHtmlView::hostStyleSheetKeepsDocumentMode()
{
    m_view->setHostStyleSheet("body {background-color: #00ff00}");
    QVERIFY(load(*m_view, "\xEF\xBB\xBF<!-- c -->\n<!DOCTYPE html>\n<html><head><title>T</title></head><body>x</body></html>"));
    QCOMPARE(js(*m_view, "document.compatMode").toString(), QString("CSS1Compat"));
    QCOMPARE(js(*m_view, "getComputedStyle(document.body).backgroundColor").toString(), QString("rgb(0, 255, 0)"));
    QCOMPARE(js(*m_view, "document.title").toString(), QString("T"));
    // The sheet text cannot end its element early.
    m_view->setHostStyleSheet("body {background-color: #0000ff} /* </style><p id=x>injected</p> */");
    QVERIFY(load(*m_view, "<p>y</p>"));
    QCOMPARE(js(*m_view, "document.getElementById('x') === null").toBool(), true);
    QCOMPARE(js(*m_view, "getComputedStyle(document.body).backgroundColor").toString(), QString("rgb(0, 0, 255)"));
}

void TestHtmlView::highlightAcrossElements()
{
    QVERIFY(load(*m_view, "<html><body><p id=\"a\" style=\"color: rgb(1, 2, 3)\">xab<b>cd</b>y ABCDE</p>"
                          "<p>ab</p><p>cd</p><p>Đức Phật, đức hạnh; ĐỨC</p></body></html>"));
    const QString before = js(*m_view, "document.body.innerText").toString();

    auto count = std::make_shared<int>(-1);
    m_view->highlightAll("bcd", "#ffff00", [count](int n) { *count = n; });
    QTRY_VERIFY_WITH_TIMEOUT(*count >= 0, 10000);
    // "ab<b>cd</b>" (two pieces) and "ABCDE" (inside a word, other case); not
    // across the two paragraphs "ab" and "cd".
    QCOMPARE(*count, 2);
    QCOMPARE(js(*m_view, "document.querySelectorAll('[data-tevaka-highlight]').length").toInt(), 3);
    QCOMPARE(js(*m_view, "Array.from(document.querySelectorAll('[data-tevaka-highlight]'))"
                         ".map(function(e){return e.textContent;}).join('|')").toString(),
             QString("b|cd|BCD"));
    QCOMPARE(js(*m_view, "getComputedStyle(document.querySelector('[data-tevaka-highlight]')).backgroundColor")
                 .toString(),
             QString("rgb(255, 255, 0)"));
    QCOMPARE(js(*m_view, "getComputedStyle(document.querySelector('[data-tevaka-highlight]')).color").toString(),
             QString("rgb(1, 2, 3)"));
    // The text is unchanged, and nothing scrolled.
    QCOMPARE(js(*m_view, "document.body.innerText").toString(), before);
    QCOMPARE(js(*m_view, "window.scrollY").toInt(), 0);

    // Vietnamese capitals fold too.
    *count = -1;
    m_view->highlightAll(QString::fromUtf8("đức"), "#00ff00", [count](int n) { *count = n; });
    QTRY_VERIFY_WITH_TIMEOUT(*count >= 0, 10000);
    QCOMPARE(*count, 3);
}

void TestHtmlView::highlightNoMatch()
{
    QVERIFY(load(*m_view, longPage(200)));
    auto count = std::make_shared<int>(-1);
    m_view->highlightAll("no such phrase", "#ffff00", [count](int n) { *count = n; });
    QTRY_VERIFY_WITH_TIMEOUT(*count >= 0, 10000);
    QCOMPARE(*count, 0);
    auto found = std::make_shared<int>(-1);
    m_view->scrollToFirst("no such phrase", [found](bool f) { *found = f; });
    QTRY_VERIFY_WITH_TIMEOUT(*found >= 0, 10000);
    QCOMPARE(*found, 0);
    QTest::qWait(200);
    QCOMPARE(m_view->scrollPosition(), 0);
    QCOMPARE(js(*m_view, "document.querySelectorAll('[data-tevaka-highlight]').length").toInt(), 0);
}

void TestHtmlView::scrollToFirstAlignsTop()
{
    QVERIFY(load(*m_view, longPage(300, "<p>the <i>Tar</i>get phrase</p><p>target phrase again</p>"
                                        + QByteArray("<p>after</p>").repeated(100))));
    auto found = std::make_shared<int>(-1);
    m_view->scrollToFirst("TARGET  phrase", [found](bool f) { *found = f; });
    QTRY_VERIFY_WITH_TIMEOUT(*found >= 0, 10000);
    QCOMPARE(*found, 1);
    QTRY_VERIFY_WITH_TIMEOUT(m_view->scrollPosition() > 1000, 5000);
    // The phrase's line is at the top of the view.
    const double top = js(*m_view, "document.querySelector('i').getBoundingClientRect().top").toDouble();
    QVERIFY2(qAbs(top) <= 2.0, qPrintable(QString::number(top)));
}

void TestHtmlView::externalLinksHandedOut()
{
    NavigationLog nav(*m_view);
    QSignalSpy complete(m_view.get(), &THtmlView::documentComplete);
    QVERIFY(load(*m_view, "<html><body style=\"font-size:30px\">"
                          "<p><a id=\"web\" href=\"http://example.com/page\">http link</a></p>"
                          "<p><a id=\"secure\" href=\"https://example.org/x?y=1\">https link</a></p>"
                          "<p><a id=\"blank\" target=\"_blank\" href=\"https://example.net/new\">new window</a></p>"
                          "<p id=\"marker\">still here</p></body></html>"));
    complete.clear();
    const QUrl pageUrl = m_view->page()->url();

    QTest::mouseClick(renderWidget(*m_view), Qt::LeftButton, {}, centreOf(*m_view, "web"));
    QTRY_COMPARE_WITH_TIMEOUT(m_receiver.urls.size(), 1, 5000);
    QCOMPARE(m_receiver.urls.at(0), QUrl("http://example.com/page"));
    QCOMPARE(nav.urls, QList<QUrl>{QUrl("http://example.com/page")});

    QTest::mouseClick(renderWidget(*m_view), Qt::LeftButton, {}, centreOf(*m_view, "secure"));
    QTRY_COMPARE_WITH_TIMEOUT(m_receiver.urls.size(), 2, 5000);
    QCOMPARE(m_receiver.urls.at(1), QUrl("https://example.org/x?y=1"));

    QTest::mouseClick(renderWidget(*m_view), Qt::LeftButton, {}, centreOf(*m_view, "blank"));
    QTRY_COMPARE_WITH_TIMEOUT(m_receiver.urls.size(), 3, 5000);
    QCOMPARE(m_receiver.urls.at(2), QUrl("https://example.net/new"));

    // The page stayed.
    QTest::qWait(300);
    QCOMPARE(m_view->page()->url(), pageUrl);
    QCOMPARE(js(*m_view, "document.getElementById('marker').textContent").toString(), QString("still here"));
    QCOMPARE(complete.count(), 0);
    QCOMPARE(m_receiver.urls.size(), 3);
}

void TestHtmlView::localLinkContainingHttpStays()
{
    NavigationLog nav(*m_view);
    QSignalSpy complete(m_view.get(), &THtmlView::documentComplete);
    QVERIFY(load(*m_view, longPage(100, "<p><a id=\"anchor\" href=\"#http-notes\">to notes</a></p>")
                              .replace("</body>", "<h2 id=\"http-notes\">notes</h2>"
                                                  + QByteArray(2000, ' ') + "<p>" + QByteArray("x<br>").repeated(100)
                                                  + "</p></body>")));
    complete.clear();
    // Scroll the link into view and follow it: an anchor within the page.
    m_view->setScrollPosition(0);
    QVERIFY(js(*m_view, "document.getElementById('anchor').scrollIntoView(); true").toBool());
    QTest::qWait(200);
    QTest::mouseClick(renderWidget(*m_view), Qt::LeftButton, {}, centreOf(*m_view, "anchor"));
    QTRY_VERIFY_WITH_TIMEOUT(m_view->page()->url().fragment() == "http-notes", 5000);
    QTest::qWait(300);
    QVERIFY(m_receiver.urls.isEmpty());
    QVERIFY(nav.urls.isEmpty()); // a move within the page is no navigation
    QCOMPARE(complete.count(), 0);
    QCOMPARE(js(*m_view, "Math.round(document.getElementById('http-notes').getBoundingClientRect().top)").toInt() <= 2, true);
}

void TestHtmlView::ownerCancelsNavigation()
{
    QList<QUrl> asked;
    bool cancelIt = true;
    connect(m_view.get(), &THtmlView::beforeNavigate, this, [&](const QUrl &url, bool &cancel) {
        asked << url;
        cancel = cancelIt;
    });
    QSignalSpy complete(m_view.get(), &THtmlView::documentComplete);
    QVERIFY(load(*m_view, "<body style=\"font-size:30px\"><p><a id=\"local\" href=\"httpdocs/http-notes.html\">local</a></p>"
                          "<p><a id=\"web\" href=\"https://example.com/\">web</a></p></body>"));
    complete.clear();
    const QUrl pageUrl = m_view->page()->url();

    // A relative address with "http" in it is a page address, not the web.
    QTest::mouseClick(renderWidget(*m_view), Qt::LeftButton, {}, centreOf(*m_view, "local"));
    QTRY_COMPARE_WITH_TIMEOUT(asked.size(), 1, 5000);
    QCOMPARE(asked.at(0).scheme(), QString("tevaka"));
    QVERIFY(asked.at(0).path().endsWith("httpdocs/http-notes.html"));
    // The owner cancelled a web link: it is not handed out either.
    QTest::mouseClick(renderWidget(*m_view), Qt::LeftButton, {}, centreOf(*m_view, "web"));
    QTRY_COMPARE_WITH_TIMEOUT(asked.size(), 2, 5000);
    QTest::qWait(300);
    QVERIFY(m_receiver.urls.isEmpty());
    QCOMPARE(m_view->page()->url(), pageUrl);
    QCOMPARE(complete.count(), 0);

    // Not cancelled: the local address navigates in the view (and fails: no such page).
    cancelIt = false;
    QTest::mouseClick(renderWidget(*m_view), Qt::LeftButton, {}, centreOf(*m_view, "local"));
    QVERIFY(complete.wait(kLoadTimeout));
    QCOMPARE(complete.first().at(0).toBool(), false);
    QVERIFY(m_receiver.urls.isEmpty());
}

void TestHtmlView::reloadRefused()
{
    QSignalSpy complete(m_view.get(), &THtmlView::documentComplete);
    QVERIFY(load(*m_view, "<p id=\"p\">page</p>"));
    QVERIFY(js(*m_view, "document.getElementById('p').setAttribute('data-mark', 'kept'); true").toBool());
    m_view->page()->triggerAction(QWebEnginePage::Reload);
    m_view->page()->triggerAction(QWebEnginePage::ReloadAndBypassCache);
    m_view->engineView()->setFocus();
    QTest::keyClick(renderWidget(*m_view), Qt::Key_F5);
    QTest::keyClick(renderWidget(*m_view), Qt::Key_R, Qt::ControlModifier);
    QTest::qWait(1000);
    QCOMPARE(complete.count(), 1);
    QCOMPARE(js(*m_view, "document.getElementById('p').getAttribute('data-mark')").toString(), QString("kept"));
}

void TestHtmlView::remoteSubresourcesBlocked_data()
{
    QTest::addColumn<bool>("remoteAccessSetting");
    QTest::newRow("as the view sets it") << false;
    QTest::newRow("local-to-remote allowed") << true;
}

void TestHtmlView::remoteSubresourcesBlocked()
{
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost));
    QSignalSpy connections(&server, &QTcpServer::newConnection);
    const QByteArray base = "http://127.0.0.1:" + QByteArray::number(server.serverPort());
    QFETCH(bool, remoteAccessSetting);
    // Two defences: local pages may not reach remote addresses, and the
    // request interceptor blocks them; with the first lifted the second holds.
    m_view->page()->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls,
                                             remoteAccessSetting);
    QVERIFY(load(*m_view, "<html><head><link rel=\"stylesheet\" href=\"" + base + "/s.css\">"
                          "<link rel=\"icon\" href=\"" + base + "/favicon.ico\"></head><body>"
                          "<img id=\"img\" src=\"" + base + "/a.png\">"
                          "<iframe src=\"" + base + "/frame.html\"></iframe>"
                          "<img src=\"https://127.0.0.1:" + QByteArray::number(server.serverPort()) + "/b.png\">"
                          "<p>text</p></body></html>"));
    QTest::qWait(1000);
    QCOMPARE(connections.count(), 0);
    QVERIFY(!server.hasPendingConnections());
    QCOMPARE(js(*m_view, "document.getElementById('img').naturalWidth").toInt(), 0);
}

void TestHtmlView::pageScriptsNeverRun()
{
    QVERIFY(load(*m_view, "<body onload=\"document.body.setAttribute('data-ran','1')\"><p id=\"p\">x</p>"
                          "<script>document.getElementById('p').textContent = 'script ran';</script></body>"));
    QCOMPARE(js(*m_view, "document.getElementById('p').textContent").toString(), QString("x"));
    QCOMPARE(js(*m_view, "document.body.hasAttribute('data-ran')").toBool(), false);
}

void TestHtmlView::zoom()
{
    QCOMPARE(m_view->zoomPercent(), 100);
    QVERIFY(load(*m_view, "<p>x</p>"));
    m_view->setZoomPercent(150);
    QCOMPARE(m_view->zoomPercent(), 150);
    for (int i = 0; i < 5; ++i)
        m_view->setZoomPercent(m_view->zoomPercent() + 10);
    QCOMPARE(m_view->zoomPercent(), 200);
    m_view->setZoomPercent(10);
    QCOMPARE(m_view->zoomPercent(), THtmlView::MinZoomPercent);
    m_view->setZoomPercent(900);
    QCOMPARE(m_view->zoomPercent(), THtmlView::MaxZoomPercent);
    m_view->setZoomPercent(130);
    // Kept across page loads, and applied to the page.
    QVERIFY(load(*m_view, "<p>y</p>"));
    QCOMPARE(m_view->zoomPercent(), 130);
    QTRY_COMPARE_WITH_TIMEOUT(js(*m_view, "Math.round(window.devicePixelRatio * 100)").toInt(), 130, 5000);

    // Set before the first page: the first page opens at it.
    THtmlView fresh;
    fresh.setZoomPercent(150);
    fresh.resize(400, 300);
    fresh.show();
    QVERIFY(load(fresh, "<p>z</p>"));
    QCOMPARE(fresh.zoomPercent(), 150);
    QTRY_COMPARE_WITH_TIMEOUT(js(fresh, "Math.round(window.devicePixelRatio * 100)").toInt(), 150, 5000);
}

void TestHtmlView::scrollPosition()
{
    QCOMPARE(m_view->scrollPosition(), -1); // no page yet
    QVERIFY(load(*m_view, longPage(400)));
    QCOMPARE(m_view->scrollPosition(), 0);
    m_view->setScrollPosition(500);
    QTRY_COMPARE_WITH_TIMEOUT(m_view->scrollPosition(), 500, 5000);
    QCOMPARE(js(*m_view, "window.scrollY").toInt(), 500);
    QCOMPARE(js(*m_view, "window.scrollX").toInt(), 0);

    // In page pixels whatever the zoom.
    m_view->setZoomPercent(200);
    m_view->setScrollPosition(300);
    QTRY_COMPARE_WITH_TIMEOUT(m_view->scrollPosition(), 300, 5000);
    QCOMPARE(js(*m_view, "window.scrollY").toInt(), 300);
    m_view->setZoomPercent(100);

    // A new page starts at the top.
    QVERIFY(load(*m_view, longPage(400)));
    QTRY_COMPARE_WITH_TIMEOUT(m_view->scrollPosition(), 0, 5000);
}

void TestHtmlView::contextMenuRequest()
{
    QSignalSpy spy(m_view.get(), &THtmlView::contextMenuRequested);
    QVERIFY(load(*m_view, "<p style=\"font-size:40px\">text for the menu</p>"));
    const QPoint at(60, 30);
    QTest::mouseClick(renderWidget(*m_view), Qt::RightButton, {}, at);
    QTRY_COMPARE_WITH_TIMEOUT(spy.count(), 1, 5000);
    QCOMPARE(spy.first().at(0).toPoint(), m_view->engineView()->mapToGlobal(at));
    // The engine's own menu never shows.
    QTest::qWait(200);
    for (QWidget *w : QApplication::topLevelWidgets())
        QVERIFY2(!(w->isVisible() && w->inherits("QMenu")), "an engine menu opened");
}

void TestHtmlView::wordAtPoint()
{
    QVERIFY(load(*m_view, QByteArray("<body style=\"margin:0\"><p style=\"font-size:40px; margin:10px\">"
                                     "<span id=\"w1\">Dhammacakka</span> <span id=\"w2\">Đức</span>, "
                                     "<span id=\"w3\">ṭhāna123</span></p></body>")));
    auto wordAt = [this](const QPoint &p) {
        auto state = std::make_shared<std::pair<bool, QString>>(false, QString());
        m_view->wordAt(p, [state](const QString &w) {
            state->first = true;
            state->second = w;
        });
        QElapsedTimer t;
        t.start();
        while (!state->first && t.elapsed() < 10000)
            QTest::qWait(5);
        return state->second;
    };
    QCOMPARE(wordAt(centreOf(*m_view, "w1")), QString("Dhammacakka"));
    QCOMPARE(wordAt(centreOf(*m_view, "w2")), QString::fromUtf8("Đức"));
    QCOMPARE(wordAt(centreOf(*m_view, "w3")), QString::fromUtf8("ṭhāna123"));
    QCOMPARE(wordAt(QPoint(700, 400)), QString()); // empty space below the text
    QCOMPARE(wordAt(QPoint(780, 40)), QString());  // right of the line
    // With zoom: view coordinates are divided by the zoom factor.
    m_view->setZoomPercent(200);
    QTRY_COMPARE_WITH_TIMEOUT(js(*m_view, "Math.round(window.devicePixelRatio * 100)").toInt(), 200, 5000);
    QCOMPARE(wordAt(centreOf(*m_view, "w2")), QString::fromUtf8("Đức"));
}

void TestHtmlView::selection()
{
    QVERIFY(load(*m_view, "<p>Plain <b>bold</b> text</p><p>Đức Phật</p>"));
    QCOMPARE(m_view->selectedText(), QString());
    auto markup = std::make_shared<std::pair<bool, QString>>(false, QString());
    m_view->selectionHtml([markup](const QString &m) { *markup = {true, m}; });
    QTRY_VERIFY_WITH_TIMEOUT(markup->first, 5000);
    QCOMPARE(markup->second, QString());

    m_view->selectAll();
    QTRY_VERIFY_WITH_TIMEOUT(m_view->selectedText().contains(QString::fromUtf8("Đức Phật")), 5000);
    QVERIFY(m_view->selectedText().startsWith("Plain bold text"));
    *markup = {false, QString()};
    m_view->selectionHtml([markup](const QString &m) { *markup = {true, m}; });
    QTRY_VERIFY_WITH_TIMEOUT(markup->first, 5000);
    QVERIFY2(markup->second.contains("<b>bold</b>"), qPrintable(markup->second));
    QVERIFY(markup->second.contains("<p>"));

    QGuiApplication::clipboard()->clear();
    m_view->copy();
    QTRY_VERIFY_WITH_TIMEOUT(QGuiApplication::clipboard()->text().contains(QString::fromUtf8("Đức Phật")), 5000);
    const QMimeData *mime = QGuiApplication::clipboard()->mimeData();
    QVERIFY(mime && mime->hasHtml());
    QVERIFY(mime->html().contains("<b>bold</b>"));
}

void TestHtmlView::findBar()
{
    QVERIFY(load(*m_view, "<p>Abc abc ABC xyz</p>"));
    TFindBar *bar = m_view->findBar();
    QVERIFY(!bar->isVisible());
    m_view->showFindBar();
    QVERIFY(bar->isVisible());
    QSignalSpy found(bar, &TFindBar::found);
    bar->setText("abc");
    bar->findNext();
    QVERIFY(found.wait(5000));
    QCOMPARE(found.last().at(1).toInt(), 3); // letter case ignored
    QCOMPARE(found.last().at(0).toInt(), 1);
    bar->findNext();
    QVERIFY(found.wait(5000));
    QCOMPARE(found.last().at(0).toInt(), 2);
    bar->findPrevious();
    QVERIFY(found.wait(5000));
    QCOMPARE(found.last().at(0).toInt(), 1);
    bar->setText("nothing here");
    bar->findNext();
    QVERIFY(found.wait(5000));
    QCOMPARE(found.last().at(1).toInt(), 0);
    bar->closeBar();
    QVERIFY(!bar->isVisible());
}

void TestHtmlView::saveHtmlAndPdf()
{
    const QByteArray page = "<html><head><title>Kinh</title></head><body><p>Đức Phật thuyết giảng</p></body></html>";
    m_view->setHostStyleSheet("body {background-color: #ffffff}");
    QVERIFY(load(*m_view, page));
    QTemporaryDir dir;
    QVERIFY(m_view->saveHtml(dir.filePath("page.html")));
    QFile html(dir.filePath("page.html"));
    QVERIFY(html.open(QIODevice::ReadOnly));
    QCOMPARE(html.readAll(), page); // the page's bytes, without the host sheet

    auto result = std::make_shared<int>(-1);
    m_view->savePdf(dir.filePath("page.pdf"), [result](bool ok) { *result = ok; });
    QTRY_VERIFY_WITH_TIMEOUT(*result >= 0, 20000);
    QCOMPARE(*result, 1);
    QFile pdf(dir.filePath("page.pdf"));
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    QVERIFY(bytes.startsWith("%PDF"));
    QVERIFY2(bytes.size() < 200 * 1024, "a vector PDF is small");
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    if (!pdftotext.isEmpty()) {
        QProcess p;
        p.start(pdftotext, {dir.filePath("page.pdf"), "-"});
        QVERIFY(p.waitForFinished(20000));
        QVERIFY(QString::fromUtf8(p.readAllStandardOutput()).contains(QString::fromUtf8("Đức Phật thuyết giảng")));
    }
}

int main(int argc, char **argv)
{
    prepareTestEnvironment();
    THtmlView::RegisterScheme();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    TestHtmlView t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_HtmlView.moc"
