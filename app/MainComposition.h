#pragma once

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
// Runs right after the window is first shown.
void afterMainWindowShown(const MainPanels &panels);
