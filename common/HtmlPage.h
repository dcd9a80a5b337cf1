#pragma once
#include <QByteArray>
#include <QPointer>
#include <QSet>
#include <QUrl>
#include <QWebEnginePage>

class QWebEngineLoadingInfo;
class QWebEngineNewWindowRequest;
class TPageSchemeHandler;

// The page behind every HTML view of the program (THtmlView) and behind the
// hidden document of HTMLBodyText. It owns the navigation policy:
//
// - pages are handed over as UTF-8 bytes (loadHtml) and served through the
//   scheme handler, with the host style sheet inserted as a cascade layer
//   beneath the page's own rules;
// - page scripts never run (JavascriptEnabled off); the program's own scripts
//   run with runJavaScript in QWebEngineScript::ApplicationWorld;
// - nothing is loaded from the network (TRemoteBlocker);
// - every navigation other than the program's own loads raises
//   beforeNavigate first; the owner may cancel it;
// - a link to a web address (scheme http or https, also one that asks for a
//   new window) is cancelled in the view and handed to QDesktopServices::openUrl;
// - reload, history navigation and new windows are refused.
class THtmlPage : public QWebEnginePage
{
    Q_OBJECT
public:
    explicit THtmlPage(QObject *parent = nullptr);
    ~THtmlPage() override;

    // The style sheet applied beneath every page loaded from now on (the
    // page's own rules win over it). Changing it does not restyle the page
    // already shown.
    void setHostStyleSheet(const QString &css);
    QString hostStyleSheet() const { return m_hostCss; }

    // Loads a page given as UTF-8 bytes. Raises no beforeNavigate; ends with
    // documentComplete. A page replaced before it finished reports nothing.
    void loadHtml(const QByteArray &utf8Html);
    // The bytes last handed to loadHtml (without the host style sheet).
    QByteArray html() const { return m_html; }
    // True once a page has finished loading successfully.
    bool hasDocument() const { return m_hasDocument; }

    // True for a web address: scheme http or https (not "contains http").
    static bool isWebUrl(const QUrl &url);

    // The page bytes with the host style sheet inserted as the first element
    // (after a leading doctype, so that the document mode is kept); the HTML
    // parser places it first in <head>.
    static QByteArray withHostStyleSheet(const QByteArray &page, const QString &css);

signals:
    // A load (the program's or a followed link's) has ended.
    void documentComplete(bool ok);
    // A navigation asked by the page (a link) or the user, before it happens.
    // Set cancel to true to refuse it. Connect directly (the flag is a reference).
    void beforeNavigate(const QUrl &url, bool &cancel);

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;
    QWebEnginePage *createWindow(WebWindowType type) override;

private:
    void onNewWindowRequested(QWebEngineNewWindowRequest &request);
    void onLoadingChanged(const QWebEngineLoadingInfo &info);
    TPageSchemeHandler *handler();

    QPointer<TPageSchemeHandler> m_handler;
    QString m_hostCss;
    QByteArray m_html;
    QUrl m_pageUrl;       // address of the program's current page
    QSet<QUrl> m_programUrls; // program loads whose navigation has not started yet
    QUrl m_acceptedUrl;       // the last main-frame navigation let through, until it ends
    QSet<QUrl> m_replaced;    // program pages replaced by a newer one (their end is not reported)
    bool m_hasDocument = false;
};
