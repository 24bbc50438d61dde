#pragma once

#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QString>

// The facts about the computer that the start-up log describes.
class PCModel : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString osName MEMBER m_osName)
    Q_PROPERTY(QString osVersion MEMBER m_osVersion)
    Q_PROPERTY(QString osType MEMBER m_osType)
    Q_PROPERTY(QString cpuModel MEMBER m_cpuModel)
    Q_PROPERTY(QString totalMemory MEMBER m_totalMemory)
    Q_PROPERTY(QString hostName MEMBER m_hostName)
    Q_PROPERTY(QList<QString> listArray MEMBER m_listArray)
    Q_PROPERTY(QString videoCard READ videoCard WRITE setVideoCard NOTIFY videoCardChanged)
public:
    explicit PCModel(QObject *parent = nullptr);

    QString videoCard() const { return m_videoCard; }
    void setVideoCard(const QString &name);

    // Every meta-property from index 0 under its own name; text lists become arrays.
    QJsonObject toJson() const;

signals:
    void videoCardChanged();

private:
    QString m_osName;
    QString m_osVersion;
    QString m_osType;
    QString m_cpuModel;
    QString m_totalMemory;
    QString m_hostName;
    QList<QString> m_listArray;
    QString m_videoCard;
};
