#include "controls/Palette.h"

QString Palette::css(const QColor &colour)
{
    if (colour.alpha() == 255)
        return colour.name();
    // Qt reads an alpha of 0 or 1 as a fraction of one, so 1 would be opaque.
    const QString alpha
        = colour.alpha() == 1 ? QStringLiteral("0.005") : QString::number(colour.alpha());
    return QStringLiteral("rgba(%1, %2, %3, %4)")
        .arg(colour.red())
        .arg(colour.green())
        .arg(colour.blue())
        .arg(alpha);
}
