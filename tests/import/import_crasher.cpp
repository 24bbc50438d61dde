// Imports the files given as arguments and dies the hard way right after the
// second row of the batch is written, as a power cut or a crash would.
#include "library/AddLoadWidget.h"

#include <QApplication>
#include <cstdlib>

namespace {
int rowsWritten = 0;

void dieAfterSecondRow(QtMsgType, const QMessageLogContext &, const QString &message)
{
    if (message.contains(QLatin1String("inster DbModel db end")) && ++rowsWritten == 2)
        std::abort();
}
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    qInstallMessageHandler(dieAfterSecondRow);
    AddLoadWidget panel(QStringLiteral("Video is loading"), app.arguments().mid(1));
    QObject::connect(&panel, &AddLoadWidget::sendLoadingCompleted, &app, &QCoreApplication::quit);
    return app.exec();
}
