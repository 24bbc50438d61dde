#include "diagnostics/PCModel.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QMetaProperty>

PCModel::PCModel(QObject *parent)
    : QObject(parent)
{
}

void PCModel::setVideoCard(const QString &name)
{
    m_videoCard = name;
    emit videoCardChanged();
}

QJsonObject PCModel::toJson() const
{
    QJsonObject object;
    const QMetaObject *meta = metaObject();
    for (int i = 0; i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        const QVariant value = property.read(this);
        if (value.userType() == qMetaTypeId<QList<QString>>())
            object.insert(property.name(),
                          QJsonArray::fromStringList(value.value<QList<QString>>()));
        else if (value.userType() == QMetaType::QStringList)
            object.insert(property.name(), QJsonArray::fromStringList(value.toStringList()));
        else
            object.insert(property.name(), QJsonValue::fromVariant(value));
    }
    return object;
}
