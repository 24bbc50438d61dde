#pragma once

#include <QLocale>
#include <QObject>
#include <functional>

class NetworkListener;
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

    int panoramaModelType() const { return m_panoramaModelType; }
    int playerType() const { return m_playerType; }
    int speedUnitType() const { return m_speedUnitType; }
    int mapType() const { return m_mapType; }
    int languageIndex() const { return m_languageIndex; }
    int longOrLatType() const { return m_longOrLatType; }
    int playModelType() const { return m_playModelType; }
    QWidget *mainWindow() const { return m_mainWindow; }
    // The render view: the host of the HUD prompts over the picture.
    QWidget *renderView() const { return m_renderView; }
    PlayerTool *playerTool() const { return m_playerTool; }
    NetworkListener *networkListener() const { return m_listener; }

    void setMainWindow(QWidget *window) { m_mainWindow = window; }
    void setRenderView(QWidget *view) { m_renderView = view; }
    void setPlayerTool(PlayerTool *tool) { m_playerTool = tool; }
    void setPanoramaModelType(int type);

    void setMapType(int type);
    void setSpeedUnitType(int type);
    void setLongOrLatType(int type);
    void setPlayModelType(int type);
    void setPlayerType(int type);
    void switchPlayerType(int type);

    void setLanguage(int number);
    int savedLanguage() const;

    float videoColorValue(int which) const;
    void setVideoColorValue(int which, float value);

    void checkNetwork(std::function<void(bool)> callback);
    void logThreadInfo(int number, const QString &tag) const;

    static QString catalogPath(int languageNumber);
    static QUrl probeUrl(int mapType);

signals:
    void changeMapType(int type);
    void changeSpeedUnitType(int type);
    void changeLongOrLatType(int type);
    void changePlayModelType(int type);
    void changePlayerType(int type);
    void changePlayerColor();

private:
    void applyLocaleDefaults(const QLocale &locale);
    void applySavedLanguage(int saved);
    void readSavedChoices();
    void restartProbe();

    int m_panoramaModelType = 3;
    int m_playerType = 0;
    int m_speedUnitType = 0;
    int m_mapType = 0;
    int m_languageIndex = 2;
    int m_longOrLatType = 1;
    int m_playModelType = 0;
    NetworkListener *m_listener = nullptr;
    QWidget *m_mainWindow = nullptr;
    QWidget *m_renderView = nullptr;
    PlayerTool *m_playerTool = nullptr;
};
