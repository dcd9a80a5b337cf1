#pragma once
#include <QWebEngineUrlRequestInterceptor>

// Installed on every page of the program (THtmlPage): blocks each request of
// a page for a network address (http, https, ftp, ws, wss), so pages never
// load anything from the network. Navigation to web addresses is handled
// before it reaches this point (THtmlPage hands links to the system).
class TRemoteBlocker : public QWebEngineUrlRequestInterceptor
{
    Q_OBJECT
public:
    explicit TRemoteBlocker(QObject *parent = nullptr);
    void interceptRequest(QWebEngineUrlRequestInfo &info) override;

    // True for the schemes that reach the network.
    static bool isRemoteUrl(const QUrl &url);
};
