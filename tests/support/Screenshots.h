#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QRect>
#include <QSet>
#include <QString>

// Where a test keeps the pictures it takes, for a person to look at after a
// run: "screenshots" beside the test programs in the build folder.
inline QString screenshotPath(const QString &fileName)
{
    const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/screenshots");
    QDir().mkpath(folder);
    return folder + QLatin1Char('/') + fileName;
}

// How many different colours an area of a picture shows: 1 where it is one
// flat fill, many where a video frame or text is drawn.
inline int colourCount(const QImage &image, const QRect &area)
{
    QSet<QRgb> colours;
    const QRect inside = area & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x)
            colours.insert(image.pixel(x, y));
    }
    return colours.size();
}
