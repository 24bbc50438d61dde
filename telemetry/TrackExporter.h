#pragma once

#include "telemetry/TelemetryExport.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

class DbModel;
class QWidget;

// "Export track…": saves the telemetry of library entries as GPX, CSV or
// GeoJSON. Several entries (a trip's, in playing order) go into one file,
// one segment or feature each.
class TrackExporter : public QObject
{
    Q_OBJECT
public:
    explicit TrackExporter(QWidget *dialogParent, QObject *parent = nullptr);

    // The save dialog's filters (GPX, CSV, GeoJSON) and the format of each.
    static QStringList filters();
    static TelemetryExport::Format formatOfFilter(const QString &filter);
    // The file name extension of a format, without the dot.
    static QString suffixOf(TelemetryExport::Format format);

    // Writes the records of models to path; the error text, empty on success.
    static QString
    write(const QList<DbModel> &models, const QString &path, TelemetryExport::Format format);

public slots:
    // Asks where to save, then writes; a failure is shown in a message box.
    void exportTrack(const QList<DbModel> &models, const QString &suggestedName);

private:
    QPointer<QWidget> m_dialogParent;
    QString m_lastFolder;
};
