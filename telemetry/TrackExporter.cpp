#include "telemetry/TrackExporter.h"

#include "library/DbModel.h"
#include "telemetry/RecordLookup.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QSaveFile>
#include <QStandardPaths>

TrackExporter::TrackExporter(QWidget *dialogParent, QObject *parent)
    : QObject(parent)
    , m_dialogParent(dialogParent)
{
}

QStringList TrackExporter::filters()
{
    return {tr("GPX track (*.gpx)"), tr("CSV table (*.csv)"), tr("GeoJSON (*.geojson)")};
}

TelemetryExport::Format TrackExporter::formatOfFilter(const QString &filter)
{
    const QStringList all = filters();
    if (filter == all.value(1))
        return TelemetryExport::Format::Csv;
    if (filter == all.value(2))
        return TelemetryExport::Format::GeoJson;
    return TelemetryExport::Format::Gpx;
}

QString TrackExporter::suffixOf(TelemetryExport::Format format)
{
    switch (format) {
    case TelemetryExport::Format::Csv:
        return QStringLiteral("csv");
    case TelemetryExport::Format::GeoJson:
        return QStringLiteral("geojson");
    case TelemetryExport::Format::Json:
        return QStringLiteral("json");
    case TelemetryExport::Format::Gpx:
        break;
    }
    return QStringLiteral("gpx");
}

QString TrackExporter::write(const QList<DbModel> &models,
                             const QString &path,
                             TelemetryExport::Format format)
{
    QList<VideoMessage> records;
    for (const DbModel &model : models) {
        // Cached or parsed, the record comes with its clock.
        records.append(RecordLookup::find(model, RecordLookup::Log::Player));
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return tr("The track could not be saved as %1: %2")
            .arg(QDir::toNativeSeparators(path), file.errorString());
    file.write(TelemetryExport::write(records, format).toUtf8());
    if (!file.commit())
        return tr("The track could not be saved as %1: %2")
            .arg(QDir::toNativeSeparators(path), file.errorString());
    return QString();
}

void TrackExporter::exportTrack(const QList<DbModel> &models, const QString &suggestedName)
{
    if (models.isEmpty())
        return;
    if (m_lastFolder.isEmpty())
        m_lastFolder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QStringList all = filters();
    QString filter = all.first();
    QString path = QFileDialog::getSaveFileName(
        m_dialogParent, tr("Export track"),
        QDir(m_lastFolder).filePath(suggestedName + QStringLiteral(".gpx")),
        all.join(QStringLiteral(";;")), &filter);
    if (path.isEmpty())
        return;
    const TelemetryExport::Format format = formatOfFilter(filter);
    // The filter decides the format; the name follows it unless it already does.
    const QString suffix = suffixOf(format);
    if (QFileInfo(path).suffix().compare(suffix, Qt::CaseInsensitive) != 0) {
        const QFileInfo info(path);
        const QString known = info.suffix().toLower();
        if (known == QLatin1String("gpx") || known == QLatin1String("csv")
            || known == QLatin1String("geojson"))
            path = info.dir().filePath(info.completeBaseName());
        path += QLatin1Char('.') + suffix;
    }
    m_lastFolder = QFileInfo(path).absolutePath();
    const QString error = write(models, path, format);
    if (!error.isEmpty())
        QMessageBox::warning(m_dialogParent, tr("Export track"), error);
}
