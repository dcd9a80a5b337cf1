#include "common/PageSchemeHandler.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

const char *const TPageSchemeHandler::SchemeName = "tevaka";

void TPageSchemeHandler::registerScheme()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    if (QCoreApplication::instance())
        qWarning("TPageSchemeHandler::registerScheme: called after the application object exists; "
                 "pages will not load");
    QWebEngineUrlScheme scheme(SchemeName);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
    // Secure: behaves like https (no mixed-content downgrade of its own);
    // local: a web page can never link to or embed it.
    scheme.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::LocalScheme);
    QWebEngineUrlScheme::registerScheme(scheme);
}

TPageSchemeHandler::TPageSchemeHandler(QObject *parent) : QWebEngineUrlSchemeHandler(parent) {}

TPageSchemeHandler *TPageSchemeHandler::forProfile(QWebEngineProfile *profile)
{
    if (auto *h = qobject_cast<TPageSchemeHandler *>(
            const_cast<QWebEngineUrlSchemeHandler *>(profile->urlSchemeHandler(SchemeName))))
        return h;
    auto *h = new TPageSchemeHandler(profile);
    profile->installUrlSchemeHandler(SchemeName, h);
    return h;
}

QUrl TPageSchemeHandler::addPage(const QByteArray &utf8Html)
{
    const QString path = QLatin1Char('/') + QString::number(m_next++);
    m_pages.insert(path, utf8Html);
    QUrl url;
    url.setScheme(QString::fromLatin1(SchemeName));
    url.setHost(QStringLiteral("page"));
    url.setPath(path);
    return url;
}

void TPageSchemeHandler::removePage(const QUrl &url)
{
    if (url.scheme() == QLatin1String(SchemeName))
        m_pages.remove(url.path());
}

void TPageSchemeHandler::requestStarted(QWebEngineUrlRequestJob *job)
{
    const QUrl url = job->requestUrl();
    if (job->requestMethod() != "GET") {
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
        return;
    }
    const auto it = m_pages.constFind(url.path());
    if (url.host() != QLatin1String("page") || it == m_pages.constEnd()) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    auto *buffer = new QBuffer(job); // freed with the job
    buffer->setData(*it);            // shares the bytes, no copy
    buffer->open(QIODevice::ReadOnly);
    job->reply(QByteArrayLiteral("text/html;charset=utf-8"), buffer);
}
