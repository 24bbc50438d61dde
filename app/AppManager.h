#pragma once

#include "app/SettingChoices.h"
#include "app/SettingValue.h"

#include <QLocale>
#include <QObject>
#include <QPointer>
#include <functional>

class NetworkListener;
class QTranslator;
class QWidget;
class PlayerTool;

// The process-wide holder of the user's persisted choices: map service, units,
// coordinate format, play mode, player type, colour adjustment and interface
// language. Announces changes by signals, installs the interface translation
// and probes whether the chosen map service is reachable.
// Lives on the main thread; the first instance() call happens there at start-up.
class AppManager : public QObject
{
    Q_OBJECT
public:
    static AppManager *instance();

    // The process uses instance(); tests build their own with a chosen locale.
    explicit AppManager(const QLocale &systemLocale, QObject *parent = nullptr);
    ~AppManager() override;

    PanoramaMode panoramaModelType() const { return m_panoramaModelType; }
    PlayerType playerType() const { return m_playerType; }
    SpeedUnit speedUnitType() const { return m_speedUnitType; }
    MapType mapType() const { return m_mapType; }
    int languageIndex() const { return m_languageIndex; }
    CoordinateFormat longOrLatType() const { return m_longOrLatType; }
    PlayMode playModelType() const { return m_playModelType; }
    QWidget *mainWindow() const { return m_mainWindow; }
    // The render view: the host of the HUD prompts over the picture.
    QWidget *renderView() const { return m_renderView; }
    PlayerTool *playerTool() const { return m_playerTool; }
    NetworkListener *networkListener() const { return m_listener; }

    void setMainWindow(QWidget *window) { m_mainWindow = window; }
    void setRenderView(QWidget *view) { m_renderView = view; }
    void setPlayerTool(PlayerTool *tool) { m_playerTool = tool; }
    void setPanoramaModelType(PanoramaMode type);

    void setMapType(MapType type);
    // Saves the user's key of Google or Baidu; an empty key removes it.
    void setMapKey(MapType type, const QString &key);
    // Asks again whether the map service answers, unless a probe is under way.
    void recheckNetwork();
    void setSpeedUnitType(SpeedUnit type);
    void setLongOrLatType(CoordinateFormat type);
    void setPlayModelType(PlayMode type);
    void setPlayerType(PlayerType type);
    void switchPlayerType(PlayerType type);

    // Saves one driving-event limit (a Settings:: event value) and announces it.
    void setEventLimit(const SettingValue<double> &limit, double value);

    void setLanguage(int number);
    int savedLanguage() const;

    float videoColorValue(int which) const;
    void setVideoColorValue(int which, float value);

    void checkNetwork(std::function<void(bool)> callback);
    void logThreadInfo(int number, const QString &tag) const;

    static QString catalogPath(int languageNumber);
    static QUrl probeUrl(MapType mapType);

signals:
    // Change signals carry the choice's stored number.
    void changeMapType(int type);
    void changeMapKey(int type);
    void changeSpeedUnitType(int type);
    void changeLongOrLatType(int type);
    void changePlayModelType(int type);
    void changePlayerType(int type);
    void changePlayerColor();
    // A driving-event limit changed: the playing record's events are found again.
    void changeEventLimits();

private:
    enum CatalogueResult { CatalogueInstalled, CatalogueNotInstalled, CatalogueNotLoaded };
    CatalogueResult installCatalogue(const QString &path);
    void applyLocaleDefaults(const QLocale &locale);
    void applySavedLanguage(int saved);
    void readSavedChoices();
    void restartProbe();

    PanoramaMode m_panoramaModelType = PanoramaMode::Flat;
    PlayerType m_playerType = PlayerType::OpenGL;
    SpeedUnit m_speedUnitType = SpeedUnit::KilometresPerHour;
    MapType m_mapType = MapType::Google;
    int m_languageIndex = 2;
    CoordinateFormat m_longOrLatType = CoordinateFormat::DecimalDegrees;
    PlayMode m_playModelType = PlayMode::OneChannel;
    NetworkListener *m_listener = nullptr;
    // The installed interface catalogue, a child; it replaces the previous one.
    QPointer<QTranslator> m_translator;
    QWidget *m_mainWindow = nullptr;
    QWidget *m_renderView = nullptr;
    PlayerTool *m_playerTool = nullptr;
};
