#include "app/SingleInstance.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDebug>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QTimer>

namespace {
constexpr int ClientTimeoutMs = 5000;
constexpr char Ack = 'k';
} // namespace

SingleInstance::SingleInstance(const QString &key, QObject *parent)
    : QObject(parent)
    , m_name(serverNameFor(key))
{
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::serverNameFor(const QString &key)
{
    const QByteArray hash
        = QCryptographicHash::hash(QDir::cleanPath(key).toUtf8(), QCryptographicHash::Sha1)
              .toHex()
              .left(16);
    const QString name = QStringLiteral("kelmora-player-") + QString::fromLatin1(hash);
    // The per-user runtime folder keeps the socket out of the shared /tmp.
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir())
        return QDir(runtime).filePath(name);
    return name;
}

bool SingleInstance::handOff(const QStringList &paths, int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    QByteArray message;
    QDataStream out(&message, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_5_15);
    out << Magic << paths;
    QByteArray framed;
    QDataStream frame(&framed, QIODevice::WriteOnly);
    frame.setVersion(QDataStream::Qt_5_15);
    frame << quint32(message.size());
    framed.append(message);
    socket.write(framed);
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    // The answer tells that the running window took the paths; a dying one
    // that closes without it leaves this start to open its own window.
    QElapsedTimer clock;
    clock.start();
    while (socket.bytesAvailable() < 1 && clock.elapsed() < timeoutMs) {
        if (!socket.waitForReadyRead(int(timeoutMs - clock.elapsed())))
            break;
    }
    char answer = 0;
    return socket.getChar(&answer) && answer == Ack;
}

bool SingleInstance::listen()
{
    if (!m_server) {
        m_server = new QLocalServer(this);
        m_server->setSocketOptions(QLocalServer::UserAccessOption);
        connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::onNewConnection);
    }
    if (m_server->listen(m_name))
        return true;
    if (m_server->serverError() != QAbstractSocket::AddressInUseError) {
        qWarning().noquote() << "single instance: cannot listen on" << m_name << ":"
                             << m_server->errorString();
        return false;
    }
    // A socket file left by a crashed instance answers nobody: take it over.
    QLocalSocket probe;
    probe.connectToServer(m_name);
    if (probe.waitForConnected(1000))
        return false;
    QLocalServer::removeServer(m_name);
    return m_server->listen(m_name);
}

void SingleInstance::onNewConnection()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readMessage(socket); });
        // A client that never finishes its message is dropped.
        QTimer::singleShot(ClientTimeoutMs, socket, [socket] { socket->abort(); });
        readMessage(socket);
    }
}

void SingleInstance::readMessage(QLocalSocket *socket)
{
    if (socket->property("done").toBool())
        return;
    if (socket->bytesAvailable() < qint64(sizeof(quint32)))
        return;
    QDataStream peek(socket->peek(sizeof(quint32)));
    peek.setVersion(QDataStream::Qt_5_15);
    quint32 size = 0;
    peek >> size;
    if (size > MaxMessageBytes) {
        qWarning() << "single instance: message of" << size << "bytes refused";
        socket->abort();
        return;
    }
    if (socket->bytesAvailable() < qint64(sizeof(quint32)) + size)
        return;
    socket->read(sizeof(quint32));
    QDataStream in(socket->read(size));
    in.setVersion(QDataStream::Qt_5_15);
    quint32 magic = 0;
    QStringList paths;
    in >> magic >> paths;
    socket->setProperty("done", true);
    if (in.status() != QDataStream::Ok || magic != Magic) {
        qWarning() << "single instance: unreadable message dropped";
        socket->abort();
        return;
    }
    socket->putChar(Ack);
    socket->flush();
    qDebug() << "handed over by another start:" << paths;
    emit pathsReceived(paths);
}
