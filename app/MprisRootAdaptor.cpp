#include "app/MprisRootAdaptor.h"

#include "app/MprisService.h"

MprisRootAdaptor::MprisRootAdaptor(MprisService *service)
    : QDBusAbstractAdaptor(service)
    , m_service(service)
{
}

QString MprisRootAdaptor::identity() const
{
    return QStringLiteral("Kelmora Player");
}

QString MprisRootAdaptor::desktopEntry() const
{
    // The desktop file's id, so the desktop shows the player's icon.
    return QStringLiteral("org.kelmora.Player");
}

QStringList MprisRootAdaptor::supportedUriSchemes() const
{
    return {QStringLiteral("file")};
}

QStringList MprisRootAdaptor::supportedMimeTypes() const
{
    return {QStringLiteral("video/mp4"), QStringLiteral("video/quicktime"),
            QStringLiteral("video/mp2t")};
}

void MprisRootAdaptor::Raise()
{
    emit m_service->raiseRequested();
}

void MprisRootAdaptor::Quit()
{
    emit m_service->quitRequested();
}
