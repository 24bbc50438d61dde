#include "tests/fixtures/FixtureTracks.h"
#include "tests/support/Screenshots.h"
#include "tests/support/TestHome.h"
#include "tests/support/TestRecords.h"

#include "app/Helpers.h"
#include "app/SettingsKeys.h"
#include "controls/Palette.h"
#include "edit/CutSizeEstimate.h"
#include "edit/RightView.h"
#include "edit/VideoEdit.h"
#include "library/CmdModel.h"
#include "library/DbModel.h"
#include "library/VideoMessage.h"
#include "telemetry/GPSTool.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QMouseEvent>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

namespace {

VideoMessage exampleRecord(const QString &duration)
{
    VideoMessage record;
    record.path = QStringLiteral("/nonexistent/20240101_120000_F.MP4");
    record.duration = duration;
    record.videoBitRate = QStringLiteral("8000000");
    record.audioBitRate = QStringLiteral("128000");
    record.width = QStringLiteral("1920");
    record.size = QStringLiteral("116.3");
    return record;
}

QJsonObject probe(const QString &path)
{
    QProcess ffprobe;
    ffprobe.start(QStringLiteral("ffprobe"),
                  {"-v", "error", "-show_streams", "-show_format", "-of", "json", path});
    if (!ffprobe.waitForFinished(30000) || ffprobe.exitCode() != 0)
        return {};
    return QJsonDocument::fromJson(ffprobe.readAllStandardOutput()).object();
}

QStringList streamKinds(const QJsonObject &info)
{
    QStringList kinds;
    for (const QJsonValue &stream : info.value("streams").toArray())
        kinds << stream.toObject().value("codec_type").toString();
    return kinds;
}

} // namespace

class TestVideoEdit : public QObject
{
    Q_OBJECT

private slots:
    void estimates_data();
    void estimates();
    void dialogStartsFromTheRecord();
    void tracksCannotBothBeDropped();
    void missingTracksDisableTheirControls();
    void realCut_data();
    void realCut();
    void telemetryOptions();
};

void TestVideoEdit::estimates_data()
{
    QTest::addColumn<bool>("video");
    QTest::addColumn<bool>("audio");
    QTest::addColumn<int>("seconds");
    QTest::addColumn<QString>("original");
    QTest::addColumn<QString>("hd720");
    // 8 Mbit/s video, 128 kbit/s audio, 1920 wide, 120 s long recording of "116.3" MB.
    QTest::newRow("60 s, both tracks") << true << true << 60 << "58.1"
                                       << "39.1";
    QTest::newRow("whole recording keeps its size") << true << true << 120 << "116.3"
                                                    << "78.1";
    QTest::newRow("audio only") << false << true << 60 << "0.9"
                                << "0.9";
    QTest::newRow("video only") << true << false << 60 << "57.2"
                                << "38.1";
    QTest::newRow("neither: audio rate") << false << false << 60 << "0.9"
                                         << "0.9";
}

void TestVideoEdit::estimates()
{
    QFETCH(bool, video);
    QFETCH(bool, audio);
    QFETCH(int, seconds);
    QFETCH(QString, original);
    QFETCH(QString, hd720);
    QCOMPARE(CutSizeEstimate::originalBytes(8000000, 128000, true, true, 60), qint64(60960000));
    QCOMPARE(CutSizeEstimate::bytes720(CutSizeEstimate::rate720("8000000", "1920"), 128000, true,
                                       true, 60),
             qint64(40960000));
    QCOMPARE(
        CutSizeEstimate::originalText("8000000", "128000", "116.3", 120, video, audio, seconds),
        original);
    QCOMPARE(CutSizeEstimate::text720("8000000", "128000", "1920", video, audio, seconds), hd720);
    QCOMPARE(CutSizeEstimate::rate720("8000000", "0"), 0.0); // unknown width
}

void TestVideoEdit::dialogStartsFromTheRecord()
{
    VideoMessage record = exampleRecord("120");
    QWidget owner;
    owner.resize(800, 600);
    VideoEdit edit(&record, &owner);
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&edit));
    QTest::qWait(50);
    auto *original = edit.findChild<QPushButton *>("buttonOriginal");
    auto *hd720 = edit.findChild<QPushButton *>("button720");
    QVERIFY(original->text().endsWith("116.3Mb"));
    QCOMPARE(hd720->text(), QStringLiteral("720P 78.1Mb"));
    QCOMPARE(edit.cutModel()->endSecond, 120);
    QCOMPARE(edit.cutModel()->startSecond, 0);
    QCOMPARE(edit.findChild<QLabel *>("endLabel")->text(), formatPlayTime(120));

    // Right handle dragged back to the middle: 60 s, the worked example.
    auto *right = edit.findChild<RightView *>("right");
    auto *bar = right->parentWidget();
    const int travel = bar->width() - 72;
    const QPoint knob(18, right->height() / 2);
    const int dx = -(travel / 2);
    QMouseEvent press(QEvent::MouseButtonPress, knob, right->mapToGlobal(knob), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(right, &press);
    QMouseEvent move(QEvent::MouseMove, knob + QPoint(dx, 0),
                     right->mapToGlobal(knob + QPoint(dx, 0)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(right, &move);
    QTRY_COMPARE(edit.cutModel()->endSecond, 60);
    QVERIFY(original->text().endsWith("58.1Mb"));
    QCOMPARE(hd720->text(), QStringLiteral("720P 39.1Mb"));
    // The picture shows the handle where it now stands: its knob (a red mark in
    // white) at the middle of the bar, the grey span over the cut-away half.
    const QImage shot = edit.grab().toImage();
    QVERIFY(shot.save(screenshotPath("importcut-videoedit.png")));
    const QPoint knobCentre = right->mapTo(&edit, knob);
    QCOMPARE(shot.pixelColor(knobCentre), Palette::rangeHandleMark());
    QCOMPARE(shot.pixelColor(knobCentre - QPoint(0, 14)), Palette::rangeHandleKnob());
    const QPoint span = right->mapTo(&edit, QPoint(right->width() - 20, right->height() / 2));
    QCOMPARE(shot.pixelColor(span), Palette::rangeHandleSpan());

    hd720->click();
    QCOMPARE(edit.cutModel()->is720P, true);
    QCOMPARE(edit.cutModel()->bitRate, QStringLiteral("5333333"));
    QVERIFY(hd720->styleSheet().contains("buttonImage.png"));
    QVERIFY(original->styleSheet().contains("buttonImahe1.png"));
    original->click();
    QCOMPARE(edit.cutModel()->is720P, false);
    QCOMPARE(edit.cutModel()->bitRate, QStringLiteral("8000000"));
}

void TestVideoEdit::tracksCannotBothBeDropped()
{
    VideoMessage record = exampleRecord("120");
    VideoEdit edit(&record, nullptr);
    auto *video = edit.findChild<QToolButton *>("videoButton");
    auto *audio = edit.findChild<QToolButton *>("audioButton");
    audio->click();
    QCOMPARE(edit.cutModel()->hasAudio, false);
    QVERIFY(!video->isEnabled());
    QVERIFY(edit.findChild<QPushButton *>("buttonOriginal")
                ->text()
                .endsWith("114.4Mb")); // video only, 120 s
    audio->click();
    QVERIFY(video->isEnabled());
    video->click();
    QCOMPARE(edit.cutModel()->hasVideo, false);
    QVERIFY(!audio->isEnabled());
}

void TestVideoEdit::missingTracksDisableTheirControls()
{
    VideoMessage silent = exampleRecord("30");
    silent.audioBitRate.clear();
    VideoEdit noAudio(&silent, nullptr);
    QVERIFY(!noAudio.findChild<QToolButton *>("audioButton")->isEnabled());
    QCOMPARE(noAudio.cutModel()->hasAudio, false);

    VideoMessage audioOnly = exampleRecord("30");
    audioOnly.videoBitRate.clear();
    VideoEdit noVideo(&audioOnly, nullptr);
    QVERIFY(!noVideo.findChild<QToolButton *>("videoButton")->isEnabled());
    QVERIFY(!noVideo.findChild<QPushButton *>("button720")->isEnabled());
    QCOMPARE(noVideo.cutModel()->hasVideo, false);
}

void TestVideoEdit::realCut_data()
{
    QTest::addColumn<bool>("keepAudio");
    QTest::addColumn<bool>("hd720");
    QTest::addColumn<QStringList>("kinds");
    QTest::newRow("both tracks, original") << true << false << QStringList {"video", "audio"};
    QTest::newRow("video only, original") << false << false << QStringList {"video"};
    QTest::newRow("both tracks, 720") << true << true << QStringList {"video", "audio"};
}

void TestVideoEdit::realCut()
{
    QFETCH(bool, keepAudio);
    QFETCH(bool, hd720);
    QFETCH(QStringList, kinds);
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("clip 'one'.mp4"));
    QProcess ffmpeg;
    ffmpeg.start("ffmpeg",
                 {"-y",
                  "-loglevel",
                  "error",
                  "-f",
                  "lavfi",
                  "-i",
                  "testsrc=size=320x240:rate=25",
                  "-f",
                  "lavfi",
                  "-i",
                  "sine=frequency=440:sample_rate=44100",
                  "-t",
                  "8",
                  "-pix_fmt",
                  "yuv420p",
                  "-c:v",
                  "libx264",
                  "-g",
                  "25",
                  "-c:a",
                  "aac",
                  "-shortest",
                  source});
    QVERIFY(ffmpeg.waitForFinished(60000) && ffmpeg.exitCode() == 0);
    const QString saveDir = dir.filePath("saved");
    QVERIFY(QDir().mkpath(saveDir));
    settingsValue(QLatin1String(SettingsKeys::SaveFilePath), saveDir, true);

    VideoMessage record = cutRecordFor(source, 8, source);
    QWidget owner;
    owner.resize(800, 600);
    owner.show();
    VideoEdit edit(&record, &owner, &owner);
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));
    if (!keepAudio)
        edit.findChild<QToolButton *>("audioButton")->click();
    if (hd720)
        edit.findChild<QPushButton *>("button720")->click();

    QSignalSpy cutting(&edit, &VideoEdit::isCuting);
    edit.findChild<QPushButton *>("sureButton")->click();
    QCOMPARE(cutting.count(), 1);
    QVERIFY(edit.isBusy());
    QTRY_COMPARE_WITH_TIMEOUT(cutting.count(), 2, 120000);
    QCOMPARE(cutting.last().at(0).toBool(), false);
    QVERIFY(!edit.isBusy());
    QVERIFY(owner.findChild<QWidget *>("orbHudView"));

    const QStringList outputs = QDir(saveDir).entryList({"*.mp4"});
    QCOMPARE(outputs.size(), 1);
    const QJsonObject info = probe(QDir(saveDir).filePath(outputs.first()));
    QCOMPARE(streamKinds(info), kinds);
    const double length = info.value("format").toObject().value("duration").toString().toDouble();
    QVERIFY2(length > 6.5 && length < 9, qPrintable(QString::number(length)));
    if (hd720) {
        const QJsonObject video = info.value("streams").toArray().first().toObject();
        QCOMPARE(video.value("height").toInt(), 720);
    }
}

KELMORA_TEST_MAIN(QApplication, TestVideoEdit)
#include "tst_videoedit.moc"

void TestVideoEdit::telemetryOptions()
{
    // Both options on a drive with telemetry: the picture carries the caption
    // (the frame differs from the source's in its bottom-left corner only)
    // and the range's track lies beside the cut under its name.
    QTemporaryDir dir;
    RecordingFactory factory(dir.path());
    factory.setVideo(320, 180, "800k");
    QVERIFY2(factory.makeGpsBox("20230501-130000.mp4", longDrive(6),
                                RecordingFactory::GpsBoxForm::LayoutA, true),
             qPrintable(factory.error()));
    DbModel model;
    model.path = factory.path("20230501-130000.mp4");
    model.fileName = "20230501-130000.mp4";
    GPSTool tool;
    tool.parse(model);
    VideoMessage record = tool.record;
    const QString saveDir = dir.filePath("saved");
    QVERIFY(QDir().mkpath(saveDir));
    settingsValue(QLatin1String(SettingsKeys::SaveFilePath), saveDir, true);
    settingsValue(QLatin1String(SettingsKeys::CutOverlay), 0, true);

    QWidget owner;
    owner.resize(800, 600);
    owner.show();
    VideoEdit edit(&record, &owner, &owner);
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));
    auto *overlay = edit.findChild<QToolButton *>("overlayButton");
    auto *track = edit.findChild<QToolButton *>("trackButton");
    QVERIFY(!overlay->isChecked() && !track->isChecked());
    // No picture, nothing to caption.
    edit.findChild<QToolButton *>("videoButton")->click();
    QVERIFY(!overlay->isEnabled());
    edit.findChild<QToolButton *>("videoButton")->click();
    QVERIFY(overlay->isEnabled());
    overlay->click();
    track->click();
    QCOMPARE(settingsValue(QLatin1String(SettingsKeys::CutOverlay)), QStringLiteral("1"));

    QSignalSpy cutting(&edit, &VideoEdit::isCuting);
    edit.findChild<QPushButton *>("sureButton")->click();
    QTRY_COMPARE_WITH_TIMEOUT(cutting.count(), 2, 120000);
    const QStringList outputs = QDir(saveDir).entryList({"*.mp4"});
    QCOMPARE(outputs.size(), 1);
    const QString video = QDir(saveDir).filePath(outputs.first());
    const QString base = video.left(video.size() - 4);
    QFile gpx(base + ".gpx");
    QVERIFY(gpx.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(gpx.readAll()).count("<trkpt "), 6);
    QVERIFY(QFile::exists(base + ".csv"));

    const auto frame = [&](const QString &path, const QString &png) {
        QProcess ffmpeg;
        ffmpeg.start(
            "ffmpeg",
            {"-v", "error", "-y", "-ss", "2.5", "-i", path, "-frames:v", "1", dir.filePath(png)});
        ffmpeg.waitForFinished(60000);
        return QImage(dir.filePath(png)).convertToFormat(QImage::Format_Grayscale8);
    };
    const QImage source = frame(record.path, "source.png");
    const QImage cut = frame(video, "cut.png");
    QCOMPARE(cut.size(), QSize(320, 180));
    const auto difference = [&](const QRect &rect) {
        qint64 sum = 0;
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x)
                sum += qAbs(qGray(source.pixel(x, y)) - qGray(cut.pixel(x, y)));
        return double(sum) / (rect.width() * rect.height());
    };
    QVERIFY2(difference(QRect(4, 146, 140, 30)) > 20,
             qPrintable(QString::number(difference(QRect(4, 146, 140, 30)))));
    QVERIFY2(difference(QRect(0, 0, 320, 90)) < 6,
             qPrintable(QString::number(difference(QRect(0, 0, 320, 90)))));
    settingsValue(QLatin1String(SettingsKeys::CutOverlay), 0, true);
}
