#pragma once
#include <QByteArray>
#include <QHash>
#include <QUrl>
#include <QWebEngineUrlSchemeHandler>

class QWebEngineProfile;

// Serves the pages that the program hands to its HTML views under the
// scheme "tevaka" (tevaka://page/<n>). Pages of 1 MB and more fail silently
// through setHtml/setContent (a data URL is limited to 2 MiB percent-encoded);
// a scheme handler has no such limit and is faster for small pages as well.
//
// One handler per web-engine profile, installed on first use; the pages are
// kept until their owner removes them (THtmlPage does so on its next load and
// on destruction).
class TPageSchemeHandler : public QWebEngineUrlSchemeHandler
{
    Q_OBJECT
public:
    static const char *const SchemeName; // "tevaka"

    // Registers the scheme with the web engine. Must run before the
    // QApplication is constructed (main() and test mains); later calls do nothing.
    static void registerScheme();

    // The handler installed on profile; installs one when there is none.
    static TPageSchemeHandler *forProfile(QWebEngineProfile *profile);

    // Stores a page (served as text/html, UTF-8) and returns its address.
    QUrl addPage(const QByteArray &utf8Html);
    // Forgets the page of that address; unknown addresses are ignored.
    void removePage(const QUrl &url);
    int pageCount() const { return m_pages.size(); }

    void requestStarted(QWebEngineUrlRequestJob *job) override;

private:
    explicit TPageSchemeHandler(QObject *parent);
    QHash<QString, QByteArray> m_pages; // by path "/<n>"
    quint64 m_next = 1;
};
