#pragma once

#include "telemetry/MyObject.h"

#include <QWebChannel>
#include <QWidget>

class LogoWidget;
class QStackedWidget;
class QWebEngineView;
class VideoMessage;

// The map panel: a local HTML page of the chosen map service in a web view,
// driven by JavaScript calls (the whole track when a recording starts, the
// marker and compass every second). A placeholder stands in front while the
// network is unchecked or unreachable and while the recording has no GPS.
// GUI thread only; the record it follows belongs to the player.
class MapShow final : public QWidget
{
    Q_OBJECT
public:
    explicit MapShow(QWidget *parent = nullptr);
    ~MapShow() override;

    // Local URL of the page of a map type: "Html/baidu_map.html" beside the
    // executable for type 1, "Html/google_map.html" for any other type.
    static QString pageUrl(int mapType);
    // The script that draws a record's track: the only sample's marker when
    // exactly one is stored, otherwise the polyline (empty when nothing draws).
    static QString trackScript(const VideoMessage &record, int mapType);
    // The compass rule: a heading more than 5 degrees away from the last one
    // sent turns the compass to |360 - heading|. Returns false when it stays.
    static bool compassTurn(float lastHeading, float heading, int *angle);

    QWebEngineView *view() const { return m_view; }
    LogoWidget *placeholder() const { return m_placeholder; }
    bool isMapShown() const;
    bool networkOk() const { return m_networkOk; }
    float lastCompassHeading() const { return m_lastCompassHeading; }
    bool isPageReady() const { return m_pageReady; }

public slots:
    void autoSelectMap();
    void onNewRecording(VideoMessage *record);
    void onPlaySecond(int second);
    // Result of the reachability probe; loads the page of the current map type.
    void onNetworkResult(bool reachable);

protected:
    void changeEvent(QEvent *event) override;

private:
    void setupLayout();
    void setupPage();
    void setupConnections();
    void loadPage(int mapType);
    void sendTrack();
    void runScript(const QString &script);
    bool wantsMap() const;
    void onLoadProgress(int percent);
    void onLoadFinished(bool ok);

    QWebEngineView *m_view = nullptr;
    LogoWidget *m_placeholder = nullptr;
    QStackedWidget *m_stack = nullptr;
    MyObject m_bridge;
    QWebChannel m_channel;
    VideoMessage *m_current = nullptr;
    bool m_networkOk = false;
    bool m_pageReady = false; // a map page finished loading and nothing replaced it yet
    float m_lastCompassHeading = 0.0f;
    int m_lastSecond = 999999;
};
