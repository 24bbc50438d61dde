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
        if (value.canConvert<QStringList>() && value.userType() != QMetaType::QString)
            object.insert(property.name(), QJsonArray::fromStringList(value.toStringList()));
        else
            object.insert(property.name(), QJsonValue::fromVariant(value));
    }
    return object;
}
