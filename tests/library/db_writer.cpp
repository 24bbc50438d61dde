// Child process of tst_database: writes library rows until it is killed, or
// reports what the store does when its file cannot be opened.
#include "library/DbManager.h"
#include "library/DbModel.h"
#include "library/VideoMessage.h"

#include <QCoreApplication>
#include <QTextStream>

namespace {
void quiet(QtMsgType, const QMessageLogContext &, const QString &) { }
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    qInstallMessageHandler(quiet);
    QTextStream out(stdout);
    const QString mode = app.arguments().value(1);

    if (mode == QLatin1String("unopenable")) {
        DbModel entry;
        entry.fileName = "a.mp4";
        bool selectOk = true;
        int rows = -1;
        DbManager::instance()->selectDbModels(DbTableKind::LoadFiles, 0, {}, {},
                                              [&](QList<DbModel *> list, bool ok) {
                                                  selectOk = ok;
                                                  rows = list.size();
                                              });
        out << "insert " << entry.insertToDb() << " select " << selectOk << " rows " << rows
            << "\n";
        return 0;
    }

    // "insert": one row per statement, forever; every committed index is printed.
    for (int i = 0;; ++i) {
        DbModel entry;
        entry.fileName = QStringLiteral("row_%1.mp4").arg(i);
        entry.path = QStringLiteral("/v/it's \"%1\" 行车.mp4").arg(i);
        entry.time = QStringLiteral("20240101000000%1").arg(i % 1000, 3, 10, QLatin1Char('0'));
        entry.size = QStringLiteral("%1.5").arg(i);
        entry.width = QString::number(i);
        if (!entry.insertToDb())
            return 1;
        if (i % 5 == 0) {
            // A large row now and then, so a kill often lands mid-write.
            VideoMessage message;
            message.fileName = entry.fileName;
            message.duration = QStringLiteral("300");
            for (int s = 0; s < 300; ++s) {
                GpsItem item;
                item.latitude = QString::number(35.0 + s * 1e-4, 'f', 6);
                item.longitude = QStringLiteral("139.500000");
                message.gpsItems.insert(QString::number(s), item);
            }
            message.saveToDb();
            if (!message.isSave)
                return 1;
        }
        out << i << "\n";
        out.flush();
    }
}
