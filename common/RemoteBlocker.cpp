#include "common/RemoteBlocker.h"

#include <QUrl>

TRemoteBlocker::TRemoteBlocker(QObject *parent) : QWebEngineUrlRequestInterceptor(parent) {}

bool TRemoteBlocker::isRemoteUrl(const QUrl &url)
{
    const QString s = url.scheme().toLower();
    return s == QLatin1String("http") || s == QLatin1String("https") || s == QLatin1String("ftp")
        || s == QLatin1String("ws") || s == QLatin1String("wss");
}

void TRemoteBlocker::interceptRequest(QWebEngineUrlRequestInfo &info)
{
    if (isRemoteUrl(info.requestUrl()))
        info.block(true);
}
