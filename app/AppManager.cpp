#include "app/AppManager.h"

#include "app/Helpers.h"
#include "app/NetworkListener.h"
#include "app/SettingsKeys.h"

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
    m_longOrLatType = 1;

    applyLocaleDefaults(systemLocale);
    const int saved = settingsValue(SettingsKeys::Language).toInt();
    if (saved < 1) {
        const QString path = catalogPath(m_languageIndex);
        auto *translator = new QTranslator(QCoreApplication::instance());
        qDebug() << "国家:" << QLocale::countryToString(systemLocale.country()) << "语言："
                 << systemLocale.name();
        if (translator->load(path)) {
            if (QCoreApplication::installTranslator(translator))
                qDebug() << "国际化翻译安装成功";
            else
                qDebug() << "国际化翻译安装失败";
        } else {
            qDebug() << "国际化翻译加载失败，可能languagePath路径错误";
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
        m_mapType = 1;
        break;
    case QLocale::English:
        m_languageIndex = 2;
        m_speedUnitType = 1;
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
        m_speedUnitType = 1;
        m_languageIndex = language == QLocale::Korean ? 7 : 2;
        break;
    }
}

void AppManager::applySavedLanguage(int saved)
{
    setLanguage(saved);
    if (saved == 1) {
        m_mapType = 1;
        m_speedUnitType = 0;
    } else if (saved == 2 || saved == 7) {
        m_speedUnitType = 1;
        m_mapType = 0;
    } else {
        m_mapType = 0;
        m_speedUnitType = 0;
    }
}

void AppManager::readSavedChoices()
{
    struct Choice
    {
        const char *key;
        int *member;
        const char *savedLine;
        const char *missingLine;
    };
    const Choice choices[] = {
        {SettingsKeys::MapType, &m_mapType, "历史选择地图:", "没有历史选择地图"},
        {SettingsKeys::SpeedUnit, &m_speedUnitType, "历史选择单位:", "没有历史选择单位"},
        {SettingsKeys::LongOrLat, &m_longOrLatType, "历史选择经纬度:", "没有历史选择经纬度"},
        {SettingsKeys::PlayModel, &m_playModelType, "历史选择多路播放:", "没有历史选择多路播放"},
        {SettingsKeys::PlayerType, &m_playerType, "历史选择播放器内核:", "没有历史选择播放器内核"},
    };
    for (const Choice &choice : choices) {
        const QString value = settingsValue(choice.key);
        if (value.isEmpty()) {
            qDebug() << choice.missingLine;
            continue;
        }
        *choice.member = value.toInt();
        qDebug() << choice.savedLine << *choice.member;
    }
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

QUrl AppManager::probeUrl(int mapType)
{
    return mapType == 1 ? QUrl("http://www.baidu.com/") : QUrl("http://www.google.com/");
}

void AppManager::setPanoramaModelType(int type)
{
    if (m_panoramaModelType != type)
        m_panoramaModelType = type;
}

void AppManager::setMapType(int type)
{
    if (m_mapType == type)
        return;
    m_mapType = type;
    settingsValue(SettingsKeys::MapType, type, true);
    restartProbe();
    emit changeMapType(type);
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

void AppManager::setSpeedUnitType(int type)
{
    if (m_speedUnitType == type)
        return;
    m_speedUnitType = type;
    settingsValue(SettingsKeys::SpeedUnit, type, true);
    emit changeSpeedUnitType(type);
}

void AppManager::setLongOrLatType(int type)
{
    if (m_longOrLatType == type)
        return;
    m_longOrLatType = type;
    settingsValue(SettingsKeys::LongOrLat, type, true);
    emit changeLongOrLatType(type);
}

void AppManager::setPlayModelType(int type)
{
    if (m_playModelType == type)
        return;
    m_playModelType = type;
    settingsValue(SettingsKeys::PlayModel, type, true);
    emit changePlayModelType(type);
}

void AppManager::setPlayerType(int type)
{
    if (m_playerType == type)
        return;
    m_playerType = type;
    // Takes effect at the next start; nothing listens for it now.
    settingsValue(SettingsKeys::PlayerType, type, true);
}

void AppManager::switchPlayerType(int type)
{
    if (m_playerType == type)
        return;
    m_playerType = type;
    qDebug() << (type == 1 ? "设置苹果播放器" : "设置vlc播放");
}

void AppManager::setLanguage(int number)
{
    const QString path = catalogPath(number);
    m_languageIndex = number;
    // Earlier translators stay installed; the newest one wins.
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(path) && QCoreApplication::installTranslator(translator))
        settingsValue(SettingsKeys::Language, QString::number(number), true);
    else
        translator->deleteLater();
}

int AppManager::savedLanguage() const
{
    const int saved = settingsValue(SettingsKeys::Language).toInt();
    return saved >= 1 ? saved : m_languageIndex;
}

static const char *colorKey(int which)
{
    if (which == 1)
        return SettingsKeys::VideoColor1;
    if (which == 2)
        return SettingsKeys::VideoColor2;
    return SettingsKeys::VideoColor3;
}

float AppManager::videoColorValue(int which) const
{
    return settingsValue(colorKey(which)).toFloat();
}

void AppManager::setVideoColorValue(int which, float value)
{
    settingsValue(colorKey(which), value, true);
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
