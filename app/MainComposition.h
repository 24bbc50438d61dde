#pragma once

#include <QStringList>

#include <QString>

class DbManager;
class DisplayMessageView;
class FilesListView;
class KelmoraWidget;
class MapShow;
class VideoView;

// The composition root: builds the main window's four panels, lays them out
// and makes every connection between them. Panels talk to each other only
// through these connections and AppManager.
struct MainPanels
{
    VideoView *videoView = nullptr;
    DisplayMessageView *telemetryPanel = nullptr;
    MapShow *map = nullptr;
    FilesListView *fileList = nullptr;
};

// What the entry function sets before the QApplication exists: the
// allocator, GL contexts shared by the map and the video views, and the
// log's prompt. Programs that stand in for it (tests, soak) call it too.
void prepareProcess();
// Right after the QApplication exists: the names the settings and the
// app-data folder are found under, and the player's state type for signals.
void nameApplication();

MainPanels composeMainWindow(KelmoraWidget *window);
// Runs right after the window is first shown; tells the user when the
// library was found damaged or cannot be saved.
void afterMainWindowShown(const MainPanels &panels);
// Files and folders from the command line, another start of the program or
// a drop: brings the window to the front, imports what is new and plays.
void openFromOutside(KelmoraWidget *window, const MainPanels &panels, const QStringList &paths);
// The start-up notice about the library store, empty when there is none.
QString libraryNotice(const DbManager &store);
