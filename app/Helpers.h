#pragma once

#include <QPair>
#include <QString>
#include <QStringList>
#include <QVariant>

class QDateTime;

// Free helpers shared by every subsystem. None keeps state between calls and
// all are reentrant: worker threads call them too.

// The one gateway to the per-user settings store. With write set, stores value
// under key and returns an empty text; otherwise returns the stored value as
// text, or value as text when the key is absent.
QString settingsValue(const QString &key, const QVariant &value = QVariant(), bool write = false);

// Per-user data folder (log, database, thumbnails); created when missing.
// Returns the fallback literal "aaaaaaaaaaaaaa" when it cannot be created.
QString appDataPath();
// Thumbnail folder inside appDataPath(); "aaaaaaaaaaaaaa11111" when it cannot be created.
QString thumbnailPath();

QString formatPlayTime(int seconds);
QString
reformatDateTime(const QString &text, const QString &inputFormat, const QString &outputFormat);
// dateTime as yyyy-MM-ddTHH:mm:ss (its date and time as they stand) in ASCII
// digits: in Qt 5 QDateTime::toString writes the digits of the user's locale,
// and times that are stored or exported are read back by programs. Empty for
// an invalid dateTime.
QString isoDateTimeText(const QDateTime &dateTime);
QString formatByteSize(qint64 bytes, int unit);
QString fileSizeText(const QString &path, int unit);
bool fileExists(const QString &path);

using Coordinate = QPair<double, double>; // latitude, longitude in degrees

Coordinate wgs84ToGcj02(double lat, double lon);
Coordinate gcj02ToBd09(double lat, double lon);
Coordinate convertCoordinate(int mapKind, const QString &lat, const QString &lon, bool convert);
bool isInChina(double lat, double lon);

// True when the two file names (folders ignored, case folded) have the same
// length and agree in at least 95.5 % of their positions.
bool isSameFileName(const QString &pathA, const QString &pathB);

// Absolute, clean local paths of the files and folders given on a command
// line: relative ones are taken from workingFolder, file: URLs (as file
// managers may pass them) become paths, anything else is dropped.
QStringList localPathsFromArguments(const QStringList &arguments, const QString &workingFolder);
