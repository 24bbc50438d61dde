#pragma once

#include <QBuffer>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>

// A map tile server on 127.0.0.1 for the map tests: answers GET /z/x/y.png with
// a generated 256 × 256 PNG (a pale ground, the tile's border and its address)
// that browsers may keep for a day, anything else with 404. Stopping it is
// what "offline" means to the map.
class TileServer : public QTcpServer
{
public:
    TileServer()
    {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { answer(socket); });
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
    }

    bool start(quint16 port = 0) { return listen(QHostAddress::LocalHost, port); }
    // Stops listening and drops open connections, as a network going away does.
    void stop()
    {
        const quint16 port = serverPort();
        close();
        for (QTcpSocket *socket : findChildren<QTcpSocket *>())
            socket->abort();
        m_port = port;
    }
    // Listens again on the port it had.
    bool restart() { return start(m_port); }

    QString tileUrl() const
    {
        return QStringLiteral("http://127.0.0.1:%1/{z}/{x}/{y}.png").arg(serverPort());
    }
    int tilesServed() const { return m_served; }
    // Of the last tile request.
    QByteArray lastUserAgent() const { return m_userAgent; }

    static QByteArray tilePng(int z, int x, int y)
    {
        QImage tile(256, 256, QImage::Format_RGB32);
        tile.fill(QColor(232, 228, 216));
        QPainter painter(&tile);
        painter.setPen(QColor(200, 196, 184));
        painter.drawRect(0, 0, 255, 255);
        painter.setPen(QColor(150, 146, 136));
        painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
        painter.drawText(tile.rect().adjusted(6, 6, -6, -6), Qt::AlignLeft | Qt::AlignTop,
                         QStringLiteral("%1/%2/%3").arg(z).arg(x).arg(y));
        painter.end();
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        tile.save(&buffer, "PNG");
        return png;
    }

private:
    void answer(QTcpSocket *socket)
    {
        QByteArray &pending = m_pending[socket];
        pending += socket->readAll();
        if (!pending.contains("\r\n\r\n"))
            return;
        const QByteArray request = m_pending.take(socket);
        const QString line = QString::fromLatin1(request.left(request.indexOf("\r\n")));
        static const QRegularExpression tilePath(
            QStringLiteral(R"(^GET /(\d+)/(\d+)/(\d+)\.png HTTP)"));
        const QRegularExpressionMatch match = tilePath.match(line);
        if (!match.hasMatch()) {
            socket->write(
                "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
        } else {
            const QByteArray png = tilePng(match.captured(1).toInt(), match.captured(2).toInt(),
                                           match.captured(3).toInt());
            socket->write("HTTP/1.1 200 OK\r\nContent-Type: image/png\r\n"
                          "Cache-Control: public, max-age=86400\r\n"
                          "Access-Control-Allow-Origin: *\r\nConnection: close\r\n"
                          "Content-Length: "
                          + QByteArray::number(png.size()) + "\r\n\r\n" + png);
            ++m_served;
            static const QRegularExpression agent(QStringLiteral("\r\nUser-Agent: ([^\r]*)\r\n"),
                                                  QRegularExpression::CaseInsensitiveOption);
            m_userAgent = agent.match(QString::fromLatin1(request)).captured(1).toLatin1();
        }
        socket->disconnectFromHost();
    }

    QHash<QTcpSocket *, QByteArray> m_pending;
    int m_served = 0;
    QByteArray m_userAgent;
    quint16 m_port = 0;
};
