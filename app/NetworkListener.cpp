#include "app/NetworkListener.h"

#include <QDebug>
#include <QMetaEnum>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

NetworkListener::NetworkListener(QObject *parent)
    : QObject(parent)
    , m_manager(new QNetworkAccessManager(this))
    , m_retryTimer(new QTimer(this))
{
    m_retryTimer->setSingleShot(true);
    connect(m_retryTimer, &QTimer::timeout, this, &NetworkListener::sendRequest);
    connect(m_manager, &QNetworkAccessManager::finished, this, &NetworkListener::onFinished);
}

NetworkListener::~NetworkListener()
{
    qDebug() << "NetworkListener销毁 ";
}

void NetworkListener::sendRequest()
{
    if (!m_manager)
        return;
    m_retryTimer->stop();
    m_busy = true;
    QNetworkRequest request(m_url);
    request.setTransferTimeout(10000);
    // Tile servers ask every client to name itself.
    request.setHeader(QNetworkRequest::UserAgentHeader,
                      QStringLiteral("KelmoraPlayer/%1").arg(QStringLiteral(KELMORA_VERSION)));
    request.setMaximumRedirectsAllowed(5);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    m_reply = m_manager->get(request);
    m_requested = true;
}

void NetworkListener::resetRetryDelay()
{
    m_retryDelayMs = FirstRetryDelayMs;
}

void NetworkListener::onFinished(QNetworkReply *reply)
{
    bool reachable = true;
    if (reply->error() != QNetworkReply::NoError) {
        const QString errorName
            = QMetaEnum::fromType<QNetworkReply::NetworkError>().valueToKey(reply->error());
        qDebug() << "Network error:" << reply->errorString() << reply->url() << errorName;
        // Any HTTP answer, even 404 from a tile server's front page, or a
        // failed TLS handshake still proves the host answered.
        reachable = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid()
            || reply->errorString().contains("TLS");
    }
    reply->close();
    reply->deleteLater();
    m_busy = false;

    if (!reachable) {
        qDebug() << "sendRequest发送";
        m_retryTimer->start(m_retryDelayMs);
        m_retryDelayMs = qMin(m_retryDelayMs * 2, MaxRetryDelayMs);
    } else {
        qDebug() << "请求成功";
        resetRetryDelay();
    }
    if (m_callback)
        m_callback(reachable);
}
