#pragma once

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

MainPanels composeMainWindow(KelmoraWidget *window);
// Runs right after the window is first shown; tells the user when the
// library was found damaged or cannot be saved.
void afterMainWindowShown(const MainPanels &panels);
// The start-up notice about the library store, empty when there is none.
QString libraryNotice(const DbManager &store);
