#pragma once

#include <QObject>
#include <QStringList>

class QLocalServer;
class QLocalSocket;

// One window per user and library: a later start of the program hands its
// files and folders to the running one through a local socket and exits.
class SingleInstance final : public QObject
{
    Q_OBJECT
public:
    // key tells libraries apart (the app-data folder): two users, or a test
    // with its own library, never reach each other's window.
    explicit SingleInstance(const QString &key, QObject *parent = nullptr);
    ~SingleInstance() override;

    // True once a running instance has taken the paths (possibly none: it
    // then only comes to the front); the caller should exit.
    bool handOff(const QStringList &paths, int timeoutMs = 5000);
    // Becomes the instance the next starts hand over to. False when another
    // one got there first or the socket cannot be made.
    bool listen();

    QString serverName() const { return m_name; }
    static QString serverNameFor(const QString &key);

    // A message is a magic number and a list of paths; larger ones are refused.
    static constexpr quint32 Magic = 0x4b504c31; // "KPL1"
    static constexpr qint64 MaxMessageBytes = 4 * 1024 * 1024;

signals:
    void pathsReceived(const QStringList &paths);

private:
    void onNewConnection();
    void readMessage(QLocalSocket *socket);

    QString m_name;
    QLocalServer *m_server = nullptr;
};
