#pragma once

#include "library/TripPlay.h"
#include "library/VideoMessage.h"
#include "telemetry/MyObject.h"

#include <QElapsedTimer>
#include <QWebChannel>
#include <QWidget>

class LogoWidget;
class MapPage;
class QStackedWidget;
class QWebEngineProfile;
class QWebEngineView;

// The map panel: a local HTML page in a web view, driven by JavaScript calls
// (the whole track when a recording starts, the marker, compass and played
// part of the route every second). The page shows whether or not the network
// is there: without it the route is drawn over the tiles seen before (kept in
// a disk cache) or on a plain canvas, under a small notice. Clicking the route
// asks the player to seek there. A placeholder stands in front while the
// recording has no GPS. GUI thread only; the record it follows belongs to the
// player.
class MapShow final : public QWidget
{
    Q_OBJECT
public:
    explicit MapShow(QWidget *parent = nullptr);
    ~MapShow() override;

    // Local URL of the page of a map type: "Html/baidu_map.html" beside the
    // executable for type 1, "Html/osm_map.html" for type 2 and
    // "Html/google_map.html" for any other type.
    static QString pageUrl(int mapType);
    // The script that draws a record's track: the only sample's marker when
    // exactly one is stored, otherwise the polyline (empty when nothing draws).
    static QString trackScript(const VideoMessage &record, int mapType);
    // The compass rule: a heading more than 5 degrees away from the last one
    // sent turns the compass to |360 - heading|. Returns false when it stays.
    static bool compassTurn(float lastHeading, float heading, int *angle);
    // Upper bound of the tile cache on disk.
    static constexpr int TileCacheBytes = 200 * 1024 * 1024;

    QWebEngineView *view() const { return m_view; }
    LogoWidget *placeholder() const { return m_placeholder; }
    QWebEngineProfile *profile() const { return m_profile; }
    bool isMapShown() const;
    bool networkOk() const { return m_networkOk; }
    float lastCompassHeading() const { return m_lastCompassHeading; }
    bool isPageReady() const { return m_pageReady; }
    // The map whose page is loaded: the chosen one, or OpenStreetMap when the
    // chosen one has no key or refused it.
    int shownMapType() const { return m_shownType; }
    // What the small notice on the map says; empty when it is hidden.
    QString noticeText() const;
    // While a trip plays: its lead files' routes joined, in playing order.
    bool isTripShown() const { return !m_tripLegs.isEmpty(); }
    int tripRoutePoints() const;
    // Where the playing file's seconds start on the joined route.
    int tripOffsetSeconds() const;

signals:
    // The user clicked the route: play every channel from this second.
    void seekRequested(int second);

public slots:
    void autoSelectMap();
    void onNewRecording(VideoMessage *record);
    // The trip playing now, or an empty play when single files play. A file
    // of the same trip keeps the route and moves on along it.
    void setTrip(const TripPlay &play);
    void onPlaySecond(int second);
    // Result of the reachability probe: the notice, and tiles once it is back.
    void onNetworkResult(bool reachable);
    // Loads the page of the map that shows now (after a change of choice or key).
    void reloadMap();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void setupLayout();
    void setupPage();
    void setupConnections();
    void loadPage(int mapType);
    // The track script of the shown map and, for a polyline, each point's second.
    QString routeScript(const VideoMessage &record, const QVector<int> &seconds) const;
    void sendTrack();
    // The marker, compass and played part of the route at a second.
    void sendPosition(int second);
    void sendNotice();
    void runScript(const QString &script);
    bool wantsMap() const;
    void onLoadProgress(int percent);
    void onLoadFinished(bool ok);
    void onSeekRequest(const QVariant &second);
    void onLibraryState(const QString &state);
    void onTilesFailed();
    // The joined route and each point's second on it; empty when no point draws.
    QString tripRouteScript() const;
    int tripLegOf(const QString &path) const;

    QWebEngineProfile *m_profile = nullptr;
    MapPage *m_page = nullptr;
    QWebEngineView *m_view = nullptr;
    LogoWidget *m_placeholder = nullptr;
    QStackedWidget *m_stack = nullptr;
    MyObject m_bridge;
    QWebChannel m_channel;
    VideoMessage *m_current = nullptr;
    int m_shownType = 2;
    bool m_networkOk = false;
    bool m_networkKnown = false; // a probe has answered
    bool m_pageReady = false; // a map page finished loading and nothing replaced it yet
    bool m_keyRefused = false; // the chosen service turned its key down
    bool m_libraryFailed = false; // the chosen service's library did not load
    QElapsedTimer m_sinceRecheck; // last time failing tiles asked for a new probe
    float m_lastCompassHeading = 0.0f;
    int m_lastSecond = 999999;
    // The playing trip's lead records (cached ones; others arrive as they play).
    QVector<VideoMessage> m_tripLegs;
    QString m_tripKey;
    int m_tripLeg = -1;
};
