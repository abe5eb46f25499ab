// The hand-over: one line, the file's path in UTF-8, then the connection closes.
#include "gui/SingleInstance.h"

#include <QLocalServer>
#include <QLocalSocket>

namespace {

constexpr int kWaitMilliseconds = 500;

}  // namespace

SingleInstance::SingleInstance(const QString& name, QObject* parent) : QObject(parent), m_name(name)
{
}

bool SingleInstance::HandOver(const QString& file) const
{
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(kWaitMilliseconds))
        return false;
    socket.write(file.toUtf8() + '\n');
    if (!socket.waitForBytesWritten(kWaitMilliseconds))
        return false;
    socket.disconnectFromServer();
    return true;
}

bool SingleInstance::Listen()
{
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // A program that ended without closing its socket leaves the name behind.
    QLocalServer::removeServer(m_name);
    if (!m_server->listen(m_name))
        return false;
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::Receive);
    return true;
}

void SingleInstance::Receive()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine())
                return;
            const QString file = QString::fromUtf8(socket->readLine()).chopped(1);
            emit fileRequested(file);
        });
    }
}
