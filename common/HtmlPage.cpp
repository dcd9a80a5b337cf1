#include "common/HtmlPage.h"

#include "common/PageSchemeHandler.h"
#include "common/RemoteBlocker.h"

#include <QDesktopServices>
#include <QWebEngineLoadingInfo>
#include <QWebEngineNewWindowRequest>
#include <QWebEngineProfile>
#include <QWebEngineSettings>

THtmlPage::THtmlPage(QObject *parent) : QWebEnginePage(parent)
{
    QWebEngineSettings *s = settings();
    s->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    s->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    s->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, false);
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    s->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    s->setAttribute(QWebEngineSettings::PdfViewerEnabled, false);
    s->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
    s->setAttribute(QWebEngineSettings::NavigateOnDropEnabled, false);
    s->setAttribute(QWebEngineSettings::AutoLoadIconsForPage, false);
    setUrlRequestInterceptor(new TRemoteBlocker(this));

    connect(this, &QWebEnginePage::newWindowRequested, this, &THtmlPage::onNewWindowRequested);
    connect(this, &QWebEnginePage::loadingChanged, this, &THtmlPage::onLoadingChanged);
}

THtmlPage::~THtmlPage()
{
    if (m_handler && m_pageUrl.isValid())
        m_handler->removePage(m_pageUrl);
}

TPageSchemeHandler *THtmlPage::handler()
{
    if (!m_handler)
        m_handler = TPageSchemeHandler::forProfile(profile());
    return m_handler;
}

void THtmlPage::setHostStyleSheet(const QString &css)
{
    m_hostCss = css;
}

bool THtmlPage::isWebUrl(const QUrl &url)
{
    const QString s = url.scheme().toLower();
    return s == QLatin1String("http") || s == QLatin1String("https");
}

QByteArray THtmlPage::withHostStyleSheet(const QByteArray &page, const QString &css)
{
    if (css.isEmpty())
        return page;
    // "</" inside the sheet would end the style element early; "<\/" means
    // the same to CSS.
    QString safe = css;
    safe.replace(QLatin1String("</"), QLatin1String("<\\/"));
    const QByteArray style = QByteArrayLiteral("<style id=\"tevaka-host-style\">@layer host {\n")
                             + safe.toUtf8() + QByteArrayLiteral("\n}</style>");

    // Insert after a byte-order mark and a leading doctype (text before the
    // doctype would switch the page into quirks mode); anything else goes
    // after the style element, which the parser then puts first into <head>.
    const qsizetype n = page.size();
    qsizetype start = page.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    qsizetype p = start;
    for (;;) {
        while (p < n && (page[p] == ' ' || page[p] == '\t' || page[p] == '\r' || page[p] == '\n'
                         || page[p] == '\f'))
            ++p;
        if (page.mid(p, 4) == "<!--") {
            const qsizetype end = page.indexOf("-->", p + 4);
            if (end < 0)
                break;
            p = end + 3;
            continue;
        }
        break;
    }
    qsizetype at = start;
    if (n - p >= 9 && qstrnicmp(page.constData() + p, "<!doctype", 9) == 0) {
        const qsizetype end = page.indexOf('>', p);
        if (end >= 0)
            at = end + 1;
    }
    QByteArray out;
    out.reserve(n + style.size());
    out.append(page.constData(), at);
    out.append(style);
    out.append(page.constData() + at, n - at);
    return out;
}

void THtmlPage::loadHtml(const QByteArray &utf8Html)
{
    TPageSchemeHandler *h = handler();
    if (m_pageUrl.isValid()) {
        h->removePage(m_pageUrl); // a load still under way for it fails and is not reported
        m_replaced.insert(m_pageUrl);
    }
    m_html = utf8Html;
    m_pageUrl = h->addPage(withHostStyleSheet(utf8Html, m_hostCss));
    m_programUrls.insert(m_pageUrl);
    load(m_pageUrl);
}

bool THtmlPage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame)
{
    // The composed page is never reloaded from its address, and the program's
    // pages have no history to go back to.
    if (type == NavigationTypeReload || type == NavigationTypeBackForward)
        return false;
    if (!isMainFrame)
        return !isWebUrl(url); // a frame never shows the web (the blocker also stops it)
    if (m_programUrls.remove(url)) {
        // The program's own load: no before-navigate. A page that was
        // replaced before its navigation started is dropped.
        if (url != m_pageUrl)
            return false;
        m_acceptedUrl = url;
        return true;
    }
    bool cancel = false;
    emit beforeNavigate(url, cancel);
    if (cancel)
        return false;
    if (isWebUrl(url)) {
        // Only what the reader clicked opens outside; a redirect or a refresh
        // to the web is simply cancelled.
        if (type == NavigationTypeLinkClicked)
            QDesktopServices::openUrl(url);
        return false;
    }
    m_acceptedUrl = url;
    return true;
}

void THtmlPage::onNewWindowRequested(QWebEngineNewWindowRequest &request)
{
    // Not calling request.openIn() refuses the new window.
    const QUrl url = request.requestedUrl();
    bool cancel = false;
    emit beforeNavigate(url, cancel);
    if (!cancel && isWebUrl(url) && request.isUserInitiated())
        QDesktopServices::openUrl(url);
}

QWebEnginePage *THtmlPage::createWindow(WebWindowType)
{
    return nullptr;
}

void THtmlPage::onLoadingChanged(const QWebEngineLoadingInfo &info)
{
    if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus)
        return;
    const QUrl url = info.url();
    // Ends of navigations that were refused, and of program pages replaced
    // by a newer one, are not reported.
    if (url != m_acceptedUrl || m_replaced.contains(url))
        return;
    m_acceptedUrl.clear();
    m_replaced.clear();
    if (url == m_pageUrl)
        m_programUrls.clear(); // older program loads can no longer start
    const bool ok = info.status() == QWebEngineLoadingInfo::LoadSucceededStatus && !info.isErrorPage();
    if (ok)
        m_hasDocument = true;
    emit documentComplete(ok);
}
