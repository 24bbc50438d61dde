#include "app/AwakeLock.h"
#include "app/BatchReader.h"
#include "app/Platform.h"
#include "tests/support/TestHome.h"

#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#ifdef __GLIBC__
#include <malloc.h>
#endif

class TestPlatform : public QObject
{
    Q_OBJECT
private slots:
    void keepAwakeNeverBlocksStartup();
    void largeBlocksGoBackToTheSystem();
    void screenDpi();
    void totalMemoryMatchesProcMeminfo();
    void processorNameFromCpuInfo_data();
    void processorNameFromCpuInfo();
    void processorNameOnThisMachine();
    void videoCardFromLspci_data();
    void videoCardFromLspci();
    void videoCardOnThisMachine();
    void videoCardQueryCanBeCancelled();
    void settingsLiveInTheUserConfigFolder();
    void ffmpegIsFound();
    void batchReaderAnswersAsReadAt();
};

void TestPlatform::keepAwakeNeverBlocksStartup()
{
    QElapsedTimer clock;
    clock.start();
    AwakeLock lock;
    lock.setHeld(true);
    lock.setHeld(false);
    lock.setHeld(true);
    // Whatever the desktop (or its absence), asking answers at once.
    QVERIFY2(clock.elapsed() < 30000, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(lock.isHeld());
}

void TestPlatform::largeBlocksGoBackToTheSystem()
{
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    QSKIP("the sanitizer replaces glibc's allocator");
#elif defined(__GLIBC__)
    Platform::tuneAllocator();
    // Left alone, glibc raises its threshold past a freed 4 MB block and
    // serves the next frame-sized block from an arena that keeps it.
    void *volatile block = malloc(4 << 20);
    free(block);
    const size_t before = mallinfo2().hblkhd;
    void *volatile frame = malloc(640 * 360);
    QVERIFY(frame);
    QVERIFY2(mallinfo2().hblkhd >= before + 640 * 360, "a frame-sized block came from an arena");
    free(frame);
    QCOMPARE(mallinfo2().hblkhd, before);
#else
    QSKIP("glibc only");
#endif
}

void TestPlatform::screenDpi()
{
    const int dpi = Platform::screenDpiX();
    QCOMPARE(dpi, qRound(QGuiApplication::primaryScreen()->logicalDotsPerInchX()));
    QVERIFY(dpi > 0);
}

void TestPlatform::totalMemoryMatchesProcMeminfo()
{
    QFile meminfo("/proc/meminfo");
    QVERIFY(meminfo.open(QIODevice::ReadOnly | QIODevice::Text));
    const QString text = QString::fromUtf8(meminfo.readAll());
    const auto match = QRegularExpression(R"(MemTotal:\s+(\d+) kB)").match(text);
    QVERIFY(match.hasMatch());
    const quint64 expected = match.captured(1).toULongLong() * 1024;
    QCOMPARE(Platform::totalPhysicalMemory(), expected);
}

void TestPlatform::processorNameFromCpuInfo_data()
{
    QTest::addColumn<QString>("cpuinfo");
    QTest::addColumn<QString>("name");
    QTest::newRow("x86") << "processor\t: 0\nvendor_id\t: GenuineIntel\nmodel name\t: Intel(R) "
                            "Core(TM) i7-8650U CPU @ 1.90GHz \nflags\t: fpu\n"
                         << "Intel(R) Core(TM) i7-8650U CPU @ 1.90GHz";
    QTest::newRow("first of many") << "model name : A\nmodel name : B\n"
                                   << "A";
    QTest::newRow("no model line (some ARM boards)") << "processor : 0\nBogoMIPS : 48.00\n"
                                                     << "";
    QTest::newRow("empty") << ""
                           << "";
}

void TestPlatform::processorNameFromCpuInfo()
{
    QFETCH(QString, cpuinfo);
    QFETCH(QString, name);
    QCOMPARE(Platform::processorNameFromCpuInfo(cpuinfo), name);
}

void TestPlatform::processorNameOnThisMachine()
{
    QFile cpuinfo("/proc/cpuinfo");
    QVERIFY(cpuinfo.open(QIODevice::ReadOnly | QIODevice::Text));
    QString expected;
    for (const QString &line : QString::fromUtf8(cpuinfo.readAll()).split('\n')) {
        if (line.startsWith("model name")) {
            expected = line.section(':', 1).trimmed();
            break;
        }
    }
    qInfo() << "processor:" << Platform::processorName();
    QCOMPARE(Platform::processorName(), expected);
}

void TestPlatform::videoCardFromLspci_data()
{
    QTest::addColumn<QString>("lspci");
    QTest::addColumn<QString>("name");
    QTest::newRow("Intel VGA")
        << "00:00.0 \"Host bridge\" \"Intel Corporation\" \"Device 0d57\" -p00 \"\" \"\"\n"
           "00:02.0 \"VGA compatible controller\" \"Intel Corporation\" \"UHD Graphics 620\" -r07 "
           "\"Lenovo\" \"Device 2258\"\n"
        << "Intel Corporation UHD Graphics 620";
    QTest::newRow("NVIDIA 3D") << "01:00.0 \"3D controller\" \"NVIDIA Corporation\" \"GP108M "
                                  "[GeForce MX150]\" -ra1 \"\" \"\"\n"
                               << "NVIDIA Corporation GP108M [GeForce MX150]";
    QTest::newRow("virtual machine without display")
        << "00:01.0 \"Unassigned class [ffff]\" \"Red Hat, Inc.\" \"Virtio 1.0 memory balloon\"\n"
        << "";
    QTest::newRow("garbage") << "not lspci output at all\n\"\n"
                             << "";
}

void TestPlatform::videoCardFromLspci()
{
    QFETCH(QString, lspci);
    QFETCH(QString, name);
    QCOMPARE(Platform::videoCardFromLspci(lspci), name);
}

void TestPlatform::videoCardOnThisMachine()
{
    QString expected;
    const QString lspci = QStandardPaths::findExecutable("lspci");
    if (!lspci.isEmpty()) {
        QProcess process;
        process.start(lspci, {"-mm"});
        QVERIFY(process.waitForFinished(30000));
        expected = Platform::videoCardFromLspci(QString::fromUtf8(process.readAllStandardOutput()));
    }
    const QString name = Platform::videoCardName();
    qInfo() << "video card:" << name;
    if (!expected.isEmpty())
        QCOMPARE(name, expected);
}

void TestPlatform::videoCardQueryCanBeCancelled()
{
    QElapsedTimer clock;
    clock.start();
    Platform::videoCardName(30000, [] { return true; });
    QVERIFY(clock.elapsed() < 5000);
}

void TestPlatform::settingsLiveInTheUserConfigFolder()
{
    QCOMPARE(Platform::settingsFilePath(),
             qEnvironmentVariable("XDG_CONFIG_HOME") + "/Kelmora/KelmoraPlayer.conf");
}

void TestPlatform::ffmpegIsFound()
{
    const QString program = Platform::ffmpegProgram();
    qInfo() << "ffmpeg:" << program;
    QVERIFY(QFileInfo(program).isAbsolute());
    QProcess ffmpeg;
    ffmpeg.start(program, {"-hide_banner", "-version"});
    QVERIFY(ffmpeg.waitForFinished(30000));
    QVERIFY(ffmpeg.readAllStandardOutput().startsWith("ffmpeg version"));
}

KELMORA_TEST_MAIN(QGuiApplication, TestPlatform)
void TestPlatform::batchReaderAnswersAsReadAt()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile file(dir.filePath("bytes.bin"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QByteArray bytes(10000, Qt::Uninitialized);
    for (int i = 0; i < bytes.size(); ++i)
        bytes[i] = char(i * 13 + i / 256);
    QCOMPARE(file.write(bytes), qint64(bytes.size()));
    file.close();
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Unbuffered));

    // Whole, cut by the end of the file, at and past the end, none wanted, a
    // position before the start; more of them than one batch holds.
    QVector<QPair<qint64, qint64>> wanted
        = {{0, 100}, {9950, 100}, {10000, 10}, {20000, 10}, {5, 0}, {-1, 10}};
    for (int i = 0; i < 40; ++i)
        wanted.append({i * 241, 17 + i});
    QVector<QByteArray> expected;
    QVector<qint64> expectedGot;
    for (const auto &[pos, size] : qAsConst(wanted)) {
        QByteArray buffer(int(size), '\0');
        expectedGot.append(Platform::readAt(file, pos, buffer.data(), size));
        expected.append(buffer);
    }
    // A queue of several, and one read at a time.
    for (const int depth : {8, 1}) {
        BatchReader reader(file, depth);
        if (depth == 1)
            QVERIFY(!reader.batches());
        QVector<QByteArray> buffers;
        QVector<BatchReader::Read> reads;
        for (const auto &[pos, size] : qAsConst(wanted))
            buffers.append(QByteArray(int(size), '\0'));
        for (int i = 0; i < wanted.size(); ++i)
            reads.append({wanted[i].first, buffers[i].data(), wanted[i].second, 0});
        reader.read(reads.data(), reads.size());
        for (int i = 0; i < wanted.size(); ++i) {
            QCOMPARE(reads[i].got, expectedGot[i]);
            QCOMPARE(buffers[i], expected[i]);
        }
    }
    if (!BatchReader(file, 8).batches())
        qInfo("this system reads no batches: only the plain reads were compared");
    qputenv("KELMORA_BATCHED_READS", "0");
    QVERIFY(!BatchReader(file, 8).batches());
    qunsetenv("KELMORA_BATCHED_READS");
}

#include "tst_platform.moc"
