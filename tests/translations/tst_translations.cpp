// The ten embedded interface-text catalogues: what the program looks up must be
// there, in every language, and must survive lrelease into the embedded .qm.
// The complete list of messages is messages.tsv beside this file.

#include "tests/support/TestHome.h"

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QTranslator>
#include <QXmlStreamReader>

namespace {

const QString kCatalogueFolder = QStringLiteral(":/Resources/PlayTool/");

struct Language
{
    const char *name; // file name part: KelmoraPlay_<name>.ts / .qm
    const char *code; // the TS language attribute
};

const Language kLanguages[] = {
    {"Chinese", "zh_CN"}, {"English", "en_US"},  {"French", "fr_FR"}, {"German", "de_DE"},
    {"Italian", "it_IT"}, {"Japanese", "ja_JP"}, {"Korean", "ko_KR"}, {"Polish", "pl_PL"},
    {"Russian", "ru_RU"}, {"Spanish", "es_ES"},
};

using Key = QPair<QString, QString>; // context, source text

struct TsMessage
{
    QString context;
    QString source;
    QString comment; // disambiguation: part of the lookup key
    QString translation;
    QString type; // "unfinished", "vanished", "obsolete" or empty
    int line = 0;
};

struct TsFile
{
    QString version;
    QString language;
    QList<TsMessage> messages;
    QString error;
};

TsFile readTs(const QString &path)
{
    TsFile ts;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ts.error = file.errorString();
        return ts;
    }
    QXmlStreamReader xml(&file);
    QString context;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("TS")) {
            ts.version = xml.attributes().value("version").toString();
            ts.language = xml.attributes().value("language").toString();
        } else if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("message")) {
            TsMessage m;
            m.context = context;
            m.line = int(xml.lineNumber());
            while (xml.readNextStartElement()) {
                if (xml.name() == QLatin1String("source")) {
                    m.source = xml.readElementText();
                } else if (xml.name() == QLatin1String("comment")) {
                    m.comment = xml.readElementText();
                } else if (xml.name() == QLatin1String("translation")) {
                    m.type = xml.attributes().value("type").toString();
                    m.translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
                } else {
                    xml.skipCurrentElement();
                }
            }
            ts.messages.append(m);
        }
    }
    if (xml.hasError())
        ts.error = QStringLiteral("%1 at line %2").arg(xml.errorString()).arg(xml.lineNumber());
    return ts;
}

QString tsPath(const QString &name)
{
    return QStringLiteral(KELMORA_TS_DIR "/KelmoraPlay_%1.ts").arg(name);
}

QString qmPath(const QString &name)
{
    return kCatalogueFolder + QStringLiteral("KelmoraPlay_%1.qm").arg(name);
}

QSet<QString> placeholders(const QString &text)
{
    static const QRegularExpression marker(QStringLiteral("%\\d+"));
    QSet<QString> found;
    auto it = marker.globalMatch(text);
    while (it.hasNext())
        found.insert(it.next().captured());
    return found;
}

QString describe(const Key &key)
{
    return QStringLiteral("%1 / \"%2\"").arg(key.first, key.second);
}

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void catalogueLoads_data();
    void catalogueLoads();
    void russianPathWithDoubledSlash();
    void keyTexts_data();
    void keyTexts();
    void languageNames_data();
    void languageNames();
    void tsSourceMatchesCatalogue_data();
    void tsSourceMatchesCatalogue();
    void sameMessagesInEveryCatalogue();

private:
    QSet<Key> m_table;
};

// messages.tsv: context <tab> "source" <tab> where it is shown.
void TestTranslations::initTestCase()
{
    QFile file(QStringLiteral(KELMORA_MESSAGE_TABLE));
    QVERIFY2(file.open(QIODevice::ReadOnly | QIODevice::Text), qPrintable(file.errorString()));
    int lineNumber = 0;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).chopped(1);
        ++lineNumber;
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QStringList fields = line.split('\t');
        QVERIFY2(fields.size() == 3, qPrintable(QStringLiteral("messages.tsv:%1").arg(lineNumber)));
        const QString quoted = fields.at(1);
        QVERIFY2(quoted.size() >= 2 && quoted.startsWith('"') && quoted.endsWith('"'),
                 qPrintable(QStringLiteral("messages.tsv:%1: unquoted source").arg(lineNumber)));
        const Key key {fields.at(0), quoted.mid(1, quoted.size() - 2)};
        QVERIFY2(!m_table.contains(key), qPrintable("listed twice: " + describe(key)));
        m_table.insert(key);
    }
    qInfo("message table: %d (context, source) pairs", m_table.size());
}

void TestTranslations::catalogueLoads_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("code");
    for (const Language &language : kLanguages)
        QTest::newRow(language.name) << QString(language.name) << QString(language.code);
}

void TestTranslations::catalogueLoads()
{
    QFETCH(QString, name);
    QFETCH(QString, code);
    QTranslator translator;
    QVERIFY2(translator.load(qmPath(name)), qPrintable(qmPath(name)));
    QVERIFY(!translator.isEmpty());
    QCOMPARE(translator.language(), code);
}

// The application builds the Russian path by appending "/KelmoraPlay_Russian.qm"
// to a folder that already ends in a slash.
void TestTranslations::russianPathWithDoubledSlash()
{
    QTranslator translator;
    QVERIFY(translator.load(QStringLiteral(":/Resources/PlayTool//KelmoraPlay_Russian.qm")));
    QCOMPARE(translator.translate("SetWidget", "Russian"), QString::fromUtf8("Русский"));
    QVERIFY(!translator.translate("QObject", "Video_missing_frame").isEmpty());
}

void TestTranslations::keyTexts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("context");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("expected");
    auto row = [](const char *name, const char *context, const char *source, const char *expected) {
        QTest::addRow("%s %s %s", name, context, source)
            << QString(name) << QString(context) << QString::fromUtf8(source)
            << QString::fromUtf8(expected);
    };

    // English: the message keys and form texts exactly as the product defines them.
    row("English", "AddLoadWidget", "Video is loading", "Video is loading");
    row("English", "AddLoadWidget", "Please wait: %1/%2", "Please wait：%1/%2"); // full-width colon
    row("English", "FilesListView", "listFilesForDelete",
        "There are too many playlist files. Please delete the extra files before adding new "
        "files.");
    row("English", "FilesListView", "one_addFilesMaxNumber",
        "The maximum number of files loaded at a time is 300, and any excess will not be loaded.");
    row("English", "FilesListView", "selectFiles_Added", "The selected file has been added");
    row("English", "HudView", "no_prompt_again", "Don't remind next time");
    row("English", "LogoWidget", "No GPS", "No GPS data");
    row("English", "LogoWidget", "no network", "Please check your Internet connection");
    row("English", "LogoWidget", "check networking", "Please check your Internet connection");
    row("English", "PlayerTool", "cutimage_Success", "Screenshot successed");
    row("English", "PlayerTool", "cutimage_fail", "Screenshot failed");
    row("English", "PlayerTool", "list_play", "List Loop Playback");
    row("English", "PlayerTool", "one_play", "Single Loop Playback");
    row("English", "PlayerTool", "saveFilePath_noSet",
        "The file save path does not exist, please reset the path");
    row("English", "PlayerTool", "userTapToolButtonChangeModel",
        "Please switch to the performance priority mode and then switch modes.");
    row("English", "QObject", "Video_missing_frame",
        "Video playback decoding is slow, and the playback may not be smooth. It is recommended to "
        "close some "
        "programs or switch the playback mode and try again.");
    row("English", "SetWidget", "UserChangePlayerType",
        "Switching playback performance requires restarting the player to take effect");
    row("English", "SetWidget", "Version: %1", "Version: %1");
    row("English", "SetWidget", "KELMORA PLAYER", "KELMORA PLAYER");
    row("English", "VideoEdit", "Original Resolution", "Original Resolution");
    row("English", "VideoEdit", "cutVideo_Success", "Edit successed");
    row("English", "VideoEdit", "cutVideo_Fail", "Edit failed");
    row("English", "FFmpegThread", "ffmpeg_not_found",
        "ffmpeg was not found: install ffmpeg and try again.");
    row("English", "VideoView", "select_files_No_Has", "File has been moved or deleted");
    row("English", "FilesListView", "Show as 360°", "Show as 360°");
    row("English", "FilesListView", "Show flat", "Show flat");
    row("English", "ChangeColorWidget", "重置", "Reset");
    row("English", "FilesListView", "清空列表", "Empty the List");
    row("English", "FilesListView",
        "<html><head/><body><p><span style=\" color:#ffffff;\">排序</span></p></body></html>",
        "<html><head/><body><p><span style=\" color:#ffffff;\">Sorting</span></p></body></html>");
    row("English", "MessageInfoView", "Gps信息", "GPS Information");
    row("English", "MessageInfoView", "播放信息", "Information");
    row("English", "MessageInfoView", "Hwdec", "HWDEC");
    row("English", "MessageInfoView", "Video aspect", "Video Aspect");
    row("English", "MessageInfoView", "Aev-Speed", "Aev-Speed");
    row("English", "PlayerTool", "全屏/退出全屏", "Full Screen/Exit Full Screen");
    row("English", "PlayerTool", "循环播放", "List Loop Playback");
    row("English", "SetWidget", "  KMH", "KM/H");
    row("English", "SetWidget", "  PMH", "MPH");
    row("English", "SetWidget", "注意：多路播放可能会号致电脑运行速度交慢。",
        "Note: Multi-channel play may cause the computer to run slower.");
    row("English", "SetWidget", "选择路径", "File Save Path");
    row("English", "SetWidget", " 性能优先", "Performance Priority");
    row("English", "SetWidget", "流畅优先", "Smoothness priority");
    row("English", "VideoEdit", "  音频轨道", "Audio Track");

    // Chinese: the keys in words, the telemetry captions translated.
    row("Chinese", "FilesListView", "listFilesForDelete",
        "播放列表文件过多，请删除多余文件后再添加新文件。");
    row("Chinese", "MessageInfoView", "Aev-Speed", "平均时速");
    row("Chinese", "MessageInfoView", "Max-Speed", "最高时速");
    row("Chinese", "MessageInfoView", "Latitude", "纬度");
    row("Chinese", "MessageInfoView", "Longitude", "经度");
    row("Chinese", "MessageInfoView", "Distance", "行驶距离");
    row("Chinese", "AddLoadWidget", "Please wait: %1/%2", "请稍候：%1/%2");
    row("Chinese", "VideoEdit", "cutVideo_Success", "剪辑成功");
    row("Chinese", "PlayerTool", "播放/暂停", "播放/暂停");
    row("Chinese", "SetWidget", "  单路播放", "  单路播放");
    // The library notices: shown once, so a lost translation goes unseen.
    row("Chinese", "MainComposition",
        "The video library was damaged. It was kept as %1 and a new library was started.",
        "视频库已损坏。原文件已保留为 %1，并已新建视频库。");
    row("Chinese", "MainComposition",
        "The video library cannot be saved: the app-data folder cannot be written.",
        "无法保存视频库：应用数据文件夹无法写入。");
    row("Chinese", "AddLoadWidget", "The library cannot be saved: %1 of %2 files were not added.",
        "无法保存视频库：%2 个文件中有 %1 个未能添加。");
    row("Chinese", "AddLoadWidget", "ffmpeg was not found: files were added without thumbnails.",
        "未找到 ffmpeg：文件已添加，但没有缩略图。");
    row("Chinese", "FFmpegThread", "ffmpeg_not_found", "未找到 ffmpeg，请安装 ffmpeg 后重试。");
    row("Chinese", "FilesListView", "Show as 360°", "以 360° 全景显示");
    row("Chinese", "FilesListView", "Show flat", "以平面显示");

    // The other eight: a key, a form word and a placeholder text each.
    row("French", "PlayerTool", "saveFilePath_noSet",
        "Le dossier d'enregistrement n'existe pas. Veuillez le définir à nouveau.");
    row("French", "ChangeColorWidget", "重置", "Réinitialiser");
    row("French", "AddLoadWidget", "Please wait: %1/%2", "Veuillez patienter : %1/%2");
    row("German", "VideoView", "select_files_No_Has", "Die Datei wurde verschoben oder gelöscht");
    row("German", "PlayerTool", "音量", "Lautstärke");
    row("German", "SetWidget", "Version: %1", "Version: %1");
    row("German", "MainComposition",
        "The video library was damaged. It was kept as %1 and a new library was started.",
        "Die Videobibliothek war beschädigt. Sie wurde als %1 aufbewahrt, und eine neue "
        "Bibliothek wurde angelegt.");
    row("German", "AddLoadWidget", "The library cannot be saved: %1 of %2 files were not added.",
        "Die Bibliothek kann nicht gespeichert werden: %1 von %2 Dateien wurden nicht "
        "hinzugefügt.");
    row("Italian", "HudView", "no_prompt_again", "Non mostrare più");
    row("Italian", "SetWidget", "语言", "Lingua");
    row("Italian", "AddLoadWidget", "Please wait: %1/%2", "Attendere: %1/%2");
    row("Japanese", "LogoWidget", "No GPS", "GPSデータなし");
    row("Japanese", "PlayerTool", "播放速度", "再生速度");
    row("Japanese", "SetWidget", "Version: %1", "バージョン：%1");
    row("Japanese", "FilesListView", "Show flat", "平面で表示");
    row("Korean", "VideoEdit", "cutVideo_Fail", "편집에 실패했습니다");
    row("Korean", "SetWidget", "地图", "지도");
    row("Korean", "FFmpegThread", "ffmpeg_not_found",
        "ffmpeg를 찾을 수 없습니다. ffmpeg를 설치한 후 다시 시도하세요.");
    row("Korean", "AddLoadWidget", "Please wait: %1/%2", "잠시 기다려 주세요: %1/%2");
    row("Polish", "FilesListView", "selectFiles_Added", "Wybrany plik został już dodany");
    row("Polish", "MessageInfoView", "Duration", "Czas trwania");
    row("Polish", "SetWidget", "Version: %1", "Wersja: %1");
    row("Russian", "PlayerTool", "cutimage_fail", "Не удалось сохранить снимок кадра");
    row("Russian", "VideoEdit", "视频编辑", "Вырезка фрагмента");
    row("Russian", "AddLoadWidget", "Please wait: %1/%2", "Подождите: %1/%2");
    row("Spanish", "LogoWidget", "no network", "Compruebe su conexión a Internet");
    row("Spanish", "FilesListView", "打开文件", "Abrir archivos");
    row("Spanish", "SetWidget", "Version: %1", "Versión: %1");
}

void TestTranslations::keyTexts()
{
    QFETCH(QString, name);
    QFETCH(QString, context);
    QFETCH(QString, source);
    QFETCH(QString, expected);
    QTranslator translator;
    QVERIFY(translator.load(qmPath(name)));
    const QByteArray contextUtf8 = context.toUtf8();
    const QByteArray sourceUtf8 = source.toUtf8();
    QCOMPARE(translator.translate(contextUtf8.constData(), sourceUtf8.constData()), expected);
}

// The settings list shows every language in its own script whatever catalogue is installed.
void TestTranslations::languageNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("expected");
    static const char *const names[][2] = {
        {"China", "简体中文"},  {"English", "English"},   {"French", "Français"},
        {"Deutsch", "Deutsch"}, {"Italiano", "Italiano"}, {"Japan", "日本語"},
        {"Korean", "한국어"},   {"POLISH", "Polski"},     {"Russian", "Русский"},
        {"Spanish", "Español"},
    };
    for (const Language &language : kLanguages) {
        for (const auto &entry : names)
            QTest::addRow("%s %s", language.name, entry[0])
                << QString(language.name) << QString(entry[0]) << QString::fromUtf8(entry[1]);
    }
}

void TestTranslations::languageNames()
{
    QFETCH(QString, name);
    QFETCH(QString, source);
    QFETCH(QString, expected);
    QTranslator translator;
    QVERIFY(translator.load(qmPath(name)));
    QCOMPARE(translator.translate("SetWidget", source.toUtf8().constData()), expected);
}

void TestTranslations::tsSourceMatchesCatalogue_data()
{
    catalogueLoads_data();
}

// Every message of the .ts is finished, keeps its placeholders, and comes out of
// the embedded .qm unchanged; the .ts holds exactly the messages of the table.
void TestTranslations::tsSourceMatchesCatalogue()
{
    QFETCH(QString, name);
    QFETCH(QString, code);
    const TsFile ts = readTs(tsPath(name));
    QVERIFY2(ts.error.isEmpty(), qPrintable(tsPath(name) + ": " + ts.error));
    QCOMPARE(ts.version, QStringLiteral("2.1"));
    QCOMPARE(ts.language, code);

    QTranslator translator;
    QVERIFY(translator.load(qmPath(name)));

    static const QRegularExpression brokenLetter(QStringLiteral("\\w\\?\\w"));
    QSet<Key> keys;
    for (const TsMessage &m : ts.messages) {
        const Key key {m.context, m.source};
        const QString where = QStringLiteral("%1:%2 %3").arg(name).arg(m.line).arg(describe(key));
        QVERIFY2(!keys.contains(key), qPrintable("duplicate message " + where));
        keys.insert(key);
        QVERIFY2(m.type.isEmpty(), qPrintable(QStringLiteral("%1 is %2").arg(where, m.type)));
        QVERIFY2(!m.translation.trimmed().isEmpty(), qPrintable("empty translation " + where));
        // A disambiguation would hide the text from lookups that pass no comment.
        QVERIFY2(m.comment.isEmpty(), qPrintable("disambiguation comment on " + where));
        QVERIFY2(placeholders(m.translation) == placeholders(m.source),
                 qPrintable("placeholders differ in " + where));
        QVERIFY2(!m.translation.contains(QChar::ReplacementCharacter)
                     && !m.translation.contains(brokenLetter),
                 qPrintable("broken encoding in " + where + ": " + m.translation));

        const QByteArray context = m.context.toUtf8();
        const QByteArray source = m.source.toUtf8();
        QVERIFY2(translator.translate(context.constData(), source.constData()) == m.translation,
                 qPrintable("not in the embedded catalogue: " + where));
        // Callers pass translator notes as the second argument of tr(); lookups still resolve.
        QVERIFY2(translator.translate(context.constData(), source.constData(), "加载进度")
                     == m.translation,
                 qPrintable("not found with a comment: " + where));
    }

    const QSet<Key> missing = m_table - keys;
    const QSet<Key> extra = keys - m_table;
    for (const Key &key : missing)
        qWarning("%s lacks %s", qPrintable(name), qPrintable(describe(key)));
    for (const Key &key : extra)
        qWarning("%s has unlisted %s", qPrintable(name), qPrintable(describe(key)));
    QVERIFY(missing.isEmpty() && extra.isEmpty());
}

void TestTranslations::sameMessagesInEveryCatalogue()
{
    QSet<Key> first;
    for (const Language &language : kLanguages) {
        const TsFile ts = readTs(tsPath(language.name));
        QVERIFY2(ts.error.isEmpty(), qPrintable(ts.error));
        QSet<Key> keys;
        for (const TsMessage &m : ts.messages)
            keys.insert({m.context, m.source});
        if (first.isEmpty())
            first = keys;
        QVERIFY2(keys == first,
                 qPrintable(
                     QStringLiteral("%1 differs from %2").arg(language.name, kLanguages[0].name)));
    }
}

KELMORA_TEST_MAIN(QCoreApplication, TestTranslations)
#include "tst_translations.moc"
