// Starts the player the way main() does, with whatever app-data folder the
// environment names, and reports on stdout what the user was shown:
//   rows: <n>                           rows the file list shows at start
//   notice: <text>                      a start-up notice about the library
//   import <stored> notice: <text>      after importing the files given as arguments
// Quits once done; the exit code is 0 unless the window could not be built.
#include "app/AppManager.h"
#include "app/Helpers.h"
#include "app/KelmoraWidget.h"
#include "app/LogToFile.h"
#include "app/MainComposition.h"
#include "controls/HudDialog.h"
#include "controls/HudView.h"
#include "library/AddLoadWidget.h"
#include "library/FilesListView.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QTextStream>
#include <QTimer>

namespace {
void printNotices(QTextStream &out, QWidget *window, const QString &name)
{
    for (HudView *hud : window->findChildren<HudView *>(name)) {
        if (auto *label = hud->findChild<QLabel *>(QStringLiteral("messageLabel")))
            out << "notice: " << label->text() << '\n';
    }
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName("Brisdale");
    QCoreApplication::setApplicationName("KelmoraPlayer");
    LogToFile log(QDir(appDataPath()).filePath("log.txt"));
    QTextStream out(stdout);

    AppManager::instance();
    auto *window = new KelmoraWidget;
    AppManager::instance()->setMainWindow(window);
    window->resize(1280, 800);
    const MainPanels panels = composeMainWindow(window);
    window->show();
    afterMainWindowShown(panels);
    out << "rows: " << panels.fileList->rowCount() << '\n';
    printNotices(out, window, QStringLiteral("libraryNotice"));

    const QStringList files = app.arguments().mid(1);
    if (files.isEmpty()) {
        out.flush();
        return 0;
    }
    auto *panel = new AddLoadWidget(QStringLiteral("Video is loading"), files);
    auto *layer = new HudDialog(panel, window);
    QObject::connect(panel, &AddLoadWidget::sendLoadingCompleted, &app, [&] {
        out << "import " << panel->storedCount() << " notice: " << panel->noticeText() << '\n';
        printNotices(out, window, QStringLiteral("importNotice"));
        out.flush();
        QTimer::singleShot(0, &app, &QCoreApplication::quit);
    });
    layer->show();
    QTimer::singleShot(120000, &app, [] { QCoreApplication::exit(3); });
    const int result = app.exec();
    delete window;
    return result;
}
