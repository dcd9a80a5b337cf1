#include "app/SingleInstance.h"

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>
#include <unistd.h>

TSingleInstance::TSingleInstance(QObject *parent) : QObject(parent) {}

QString TSingleInstance::ServerName(const QString &appPath)
{
    const QByteArray hash = QCryptographicHash::hash(appPath.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QStringLiteral("tevaka-%1-%2").arg(getuid()).arg(QString::fromLatin1(hash));
}

bool TSingleInstance::HandOverToRunning(const QString &appPath)
{
    QLocalSocket socket;
    socket.connectToServer(ServerName(appPath));
    if (!socket.waitForConnected(1000))
        return false;
    socket.write("activate\n");
    socket.waitForBytesWritten(1000);
    // The running instance answers once it has taken the request.
    return socket.waitForReadyRead(3000) && socket.readAll().startsWith("ok");
}

bool TSingleInstance::Listen(const QString &appPath)
{
    const QString name = ServerName(appPath);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(name)) {
        // A stale endpoint of a crashed instance (nobody answered above).
        QLocalServer::removeServer(name);
        if (!m_server->listen(name))
            return false;
    }
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *s = m_server->nextPendingConnection()) {
            connect(s, &QLocalSocket::readyRead, s, [this, s] {
                if (s->readAll().startsWith("activate")) {
                    s->write("ok\n");
                    s->flush();
                    emit activationRequested();
                }
            });
            connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
        }
    });
    return true;
}
