#pragma once

#include <QNetworkReply>
#include <QObject>
#include <QPointer>
#include <QUrl>
#include <functional>

class QNetworkAccessManager;
class QTimer;

// Probes whether a map service is reachable by fetching a well-known page.
// A failed probe is retried after a growing pause (1 s doubling up to 60 s) so
// an offline machine neither spins nor floods the log. The callback hears every
// result: false after each failed try, true once the host answers.
class NetworkListener : public QObject
{
    Q_OBJECT
public:
    explicit NetworkListener(QObject *parent = nullptr);
    ~NetworkListener() override;

    void setUrl(const QUrl &url) { m_url = url; }
    QUrl url() const { return m_url; }
    void setCallback(std::function<void(bool)> callback) { m_callback = std::move(callback); }
    bool isBusy() const { return m_busy; }
    // True once any request was issued (the reply may since have finished).
    bool hasReply() const { return m_requested; }
    QNetworkReply *reply() const { return m_reply; }

    void sendRequest();
    // Drops a pending retry pause so the next request goes out at once.
    void resetRetryDelay();

    static constexpr int FirstRetryDelayMs = 1000;
    static constexpr int MaxRetryDelayMs = 60000;

private:
    void onFinished(QNetworkReply *reply);

    QPointer<QNetworkReply> m_reply;
    bool m_requested = false;
    bool m_busy = false;
    QNetworkAccessManager *m_manager = nullptr;
    QUrl m_url;
    std::function<void(bool)> m_callback;
    QTimer *m_retryTimer = nullptr;
    int m_retryDelayMs = FirstRetryDelayMs;
};
