#include "app/AppManager.h"

#include "app/Helpers.h"
#include "app/MapKeys.h"
#include "app/NetworkListener.h"
#include "app/Settings.h"

#include <QCoreApplication>
#include <QDebug>
#include <QNetworkReply>
#include <QThread>
#include <QTranslator>
#include <QUrl>

namespace {
struct LanguageEntry
{
    int number;
    const char *catalog;
    QLocale::Language locale;
};

const LanguageEntry kLanguages[] = {
    {1, "KelmoraPlay_Chinese.qm", QLocale::Chinese},
    {2, "KelmoraPlay_English.qm", QLocale::English},
    {3, "KelmoraPlay_French.qm", QLocale::French},
    {4, "KelmoraPlay_German.qm", QLocale::German},
    {5, "KelmoraPlay_Italian.qm", QLocale::Italian},
    {6, "KelmoraPlay_Japanese.qm", QLocale::Japanese},
    {7, "KelmoraPlay_Korean.qm", QLocale::Korean},
    {8, "KelmoraPlay_Polish.qm", QLocale::Polish},
    {9, "KelmoraPlay_Russian.qm", QLocale::Russian},
    {10, "KelmoraPlay_Spanish.qm", QLocale::Spanish},
};

const QString kCatalogFolder = QStringLiteral(":/Resources/PlayTool/");
} // namespace

AppManager *AppManager::instance()
{
    // Never deleted: panels may still reach it while the process winds down.
    static AppManager *manager = new AppManager(QLocale::system());
    return manager;
}

AppManager::AppManager(const QLocale &systemLocale, QObject *parent)
    : QObject(parent)
{
    qDebug() << "AppManager初始化 ";
    m_listener = new NetworkListener(this);
    m_longOrLatType = CoordinateFormat::DecimalDegrees;

    applyLocaleDefaults(systemLocale);
    const int saved = Settings::language().get();
    if (saved < 1) {
        const QString path = catalogPath(m_languageIndex);
        qDebug() << "国家:" << QLocale::countryToString(systemLocale.country()) << "语言："
                 << systemLocale.name();
        switch (installCatalogue(path)) {
        case CatalogueInstalled:
            qDebug() << "国际化翻译安装成功";
            break;
        case CatalogueNotInstalled:
            qDebug() << "国际化翻译安装失败";
            break;
        case CatalogueNotLoaded:
            qDebug() << "国际化翻译加载失败，可能languagePath路径错误";
            break;
        }
    } else {
        applySavedLanguage(saved);
    }
    readSavedChoices();
}

AppManager::~AppManager()
{
    qDebug() << "AppManager销毁";
}

void AppManager::applyLocaleDefaults(const QLocale &locale)
{
    const QLocale::Language language = locale.language();
    switch (language) {
    case QLocale::Chinese:
        m_languageIndex = 1;
        m_mapType = MapType::Baidu;
        break;
    case QLocale::English:
        m_languageIndex = 2;
        m_speedUnitType = SpeedUnit::MilesPerHour;
        break;
    case QLocale::French:
    case QLocale::German:
    case QLocale::Italian:
    case QLocale::Japanese:
    case QLocale::Polish:
    case QLocale::Russian:
    case QLocale::Spanish:
        for (const LanguageEntry &entry : kLanguages) {
            if (entry.locale == language)
                m_languageIndex = entry.number;
        }
        break;
    default:
        // Korean shares the imperial-units default of the unlisted languages.
        m_speedUnitType = SpeedUnit::MilesPerHour;
        m_languageIndex = language == QLocale::Korean ? 7 : 2;
        break;
    }
}

void AppManager::applySavedLanguage(int saved)
{
    setLanguage(saved);
    if (saved == 1) { // Chinese
        m_mapType = MapType::Baidu;
        m_speedUnitType = SpeedUnit::KilometresPerHour;
    } else if (saved == 2 || saved == 7) { // English, Korean
        m_speedUnitType = SpeedUnit::MilesPerHour;
        m_mapType = MapType::Google;
    } else {
        m_mapType = MapType::Google;
        m_speedUnitType = SpeedUnit::KilometresPerHour;
    }
}

void AppManager::readSavedChoices()
{
    const auto read
        = [](const auto &setting, auto &member, const char *savedLine, const char *missingLine) {
              if (const auto saved = setting.saved()) {
                  member = *saved;
                  qDebug() << savedLine << choiceNumber(member);
              } else {
                  qDebug() << missingLine;
              }
          };
    read(Settings::mapType(), m_mapType, "历史选择地图:", "没有历史选择地图");
    read(Settings::speedUnit(), m_speedUnitType, "历史选择单位:", "没有历史选择单位");
    read(Settings::coordinateFormat(), m_longOrLatType, "历史选择经纬度:", "没有历史选择经纬度");
    read(Settings::playMode(), m_playModelType, "历史选择多路播放:", "没有历史选择多路播放");
    read(Settings::playerType(), m_playerType, "历史选择播放器内核:", "没有历史选择播放器内核");
}

QString AppManager::catalogPath(int languageNumber)
{
    for (const LanguageEntry &entry : kLanguages) {
        if (entry.number != languageNumber)
            continue;
        // The Russian path carries a doubled slash; resource paths tolerate it.
        if (languageNumber == 9)
            return kCatalogFolder + "/" + entry.catalog;
        return kCatalogFolder + entry.catalog;
    }
    return kCatalogFolder + "KelmoraPlay_English.qm";
}

QUrl AppManager::probeUrl(MapType mapType)
{
    // The server of the map that actually shows: without a key that is the
    // tile server, whichever service was chosen.
    switch (MapKeys::shownMap(mapType)) {
    case MapType::Baidu:
        return QUrl("http://www.baidu.com/");
    case MapType::Google:
        return QUrl("http://www.google.com/");
    case MapType::OpenStreetMap:
        break;
    }
    return MapKeys::tileServer();
}

void AppManager::setPanoramaModelType(PanoramaMode type)
{
    if (m_panoramaModelType != type)
        m_panoramaModelType = type;
}

void AppManager::setMapType(MapType type)
{
    if (m_mapType == type)
        return;
    m_mapType = type;
    Settings::mapType().set(type);
    restartProbe();
    emit changeMapType(choiceNumber(type));
}

void AppManager::setMapKey(MapType type, const QString &key)
{
    if (type == MapType::OpenStreetMap)
        return;
    const QString trimmed = key.trimmed();
    if (Settings::mapKey(type).get() == trimmed)
        return;
    Settings::mapKey(type).set(trimmed);
    if (type == m_mapType)
        restartProbe();
    emit changeMapKey(choiceNumber(type));
}

void AppManager::recheckNetwork()
{
    if (m_listener->isBusy())
        return;
    m_listener->setUrl(probeUrl(m_mapType));
    m_listener->sendRequest();
}

void AppManager::restartProbe()
{
    m_listener->setUrl(probeUrl(m_mapType));
    m_listener->resetRetryDelay();
    if (m_listener->hasReply() && m_listener->isBusy()) {
        qDebug() << "进来了1";
        qDebug() << "进来了2";
        if (m_listener->reply())
            m_listener->reply()->ignoreSslErrors();
    } else if (m_listener->hasReply()) {
        qDebug() << "进来了1";
        qDebug() << "sendRequest发送1";
        m_listener->sendRequest();
    } else {
        qDebug() << "sendRequest发送2";
        m_listener->sendRequest();
    }
}

void AppManager::setSpeedUnitType(SpeedUnit type)
{
    if (m_speedUnitType == type)
        return;
    m_speedUnitType = type;
    Settings::speedUnit().set(type);
    emit changeSpeedUnitType(choiceNumber(type));
}

void AppManager::setEventLimit(const SettingValue<double> &limit, double value)
{
    if (limit.saved() == value)
        return;
    limit.set(value);
    emit changeEventLimits();
}

void AppManager::setLongOrLatType(CoordinateFormat type)
{
    if (m_longOrLatType == type)
        return;
    m_longOrLatType = type;
    Settings::coordinateFormat().set(type);
    emit changeLongOrLatType(choiceNumber(type));
}

void AppManager::setPlayModelType(PlayMode type)
{
    if (m_playModelType == type)
        return;
    m_playModelType = type;
    Settings::playMode().set(type);
    emit changePlayModelType(choiceNumber(type));
}

void AppManager::setPlayerType(PlayerType type)
{
    if (m_playerType == type)
        return;
    m_playerType = type;
    // Takes effect at the next start; nothing listens for it now.
    Settings::playerType().set(type);
}

void AppManager::switchPlayerType(PlayerType type)
{
    if (m_playerType == type)
        return;
    m_playerType = type;
    qDebug() << (type == PlayerType::NativeWindow ? "设置苹果播放器" : "设置vlc播放");
}

void AppManager::setLanguage(int number)
{
    const QString path = catalogPath(number);
    m_languageIndex = number;
    if (installCatalogue(path) == CatalogueInstalled)
        Settings::language().set(number);
}

AppManager::CatalogueResult AppManager::installCatalogue(const QString &path)
{
    auto *translator = new QTranslator(this);
    CatalogueResult result = CatalogueInstalled;
    if (!translator->load(path))
        result = CatalogueNotLoaded;
    else if (!QCoreApplication::installTranslator(translator))
        result = CatalogueNotInstalled;
    if (result != CatalogueInstalled) {
        delete translator;
        return result;
    }
    // One catalogue at a time: a text the new one lacks must not come from
    // the language the user left. Deleting a translator uninstalls it.
    delete m_translator;
    m_translator = translator;
    return result;
}

int AppManager::savedLanguage() const
{
    const int saved = Settings::language().get();
    return saved >= 1 ? saved : m_languageIndex;
}

float AppManager::videoColorValue(int which) const
{
    return Settings::videoColor(which).saved().value_or(0.0f);
}

void AppManager::setVideoColorValue(int which, float value)
{
    Settings::videoColor(which).set(value);
    emit changePlayerColor();
}

void AppManager::checkNetwork(std::function<void(bool)> callback)
{
    m_listener->setCallback(std::move(callback));
    m_listener->setUrl(probeUrl(m_mapType));
    m_listener->sendRequest();
}

void AppManager::logThreadInfo(int number, const QString &tag) const
{
    QThread *appThread
        = QCoreApplication::instance() ? QCoreApplication::instance()->thread() : nullptr;
    if (QThread::currentThread() == appThread) {
        qDebug() << tag << ":isMainThread:" << number << "-----------MainThread--------"
                 << QThread::currentThread()
                 << "---------Current Thread ID:" << QThread::currentThreadId();
        return;
    }
    qDebug() << tag << ":isMainThread:" << number << "-----------OtherThread--------"
             << QThread::currentThread()
             << "---------Current Thread ID:" << QThread::currentThreadId();
    qDebug() << "Main Thread:" << appThread;
}
