#include "library/MyThread.h"

#include "app/Helpers.h"
#include "library/CmdModel.h"

#include <QDebug>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

MyThread::MyThread(const QStringList &files, QObject *parent)
    : QThread(parent)
    , m_files(files)
{
}

MyThread::~MyThread()
{
    requestInterruption();
    wait();
    qDebug() << "MyThread close";
}

void MyThread::run()
{
    qDebug() << "MyThread star";
    int counter = 0;
    for (const QString &path : qAsConst(m_files)) {
        if (isInterruptionRequested())
            break;
        bool isOk = false;
        bool noTool = false;
        if (!makeThumbnail(path, isOk, noTool))
            break; // interrupted mid-run: the file counts as not processed
        ++counter;
        if (isOk || noTool)
            thumbnailOkFiles.append(path);
        if (noTool)
            noToolFiles.append(path);
        emit taskFinishedForThumbPictrue(isOk, path, counter);
        msleep(10);
    }
    qDebug() << "MyThread finish";
}

bool MyThread::makeThumbnail(const QString &path, bool &isOk, bool &noTool)
{
    CmdModel model(CmdModel::Thumbnail);
    model.inputPath = path;
    const QString command = model.createCmdString();
    const QString target = model.outputPath;
    qDebug() << "cmd::::" << command << "createAppSupportPath:::" << appDataPath()
             << "saveFilePath:::" << target;

    // A folder named like a recording is never one, though it would take the
    // thumbnail of a recording of the same base name.
    if (QFileInfo(path).isDir()) {
        isOk = false;
        return true;
    }
    if (QFile::exists(target)) {
        isOk = true;
        return true;
    }

    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(model.program(), model.arguments(), QIODevice::ReadWrite);
    // Waiting in short slices keeps a cancel from waiting on ffmpeg; output is
    // drained so a chatty ffmpeg cannot fill memory.
    QElapsedTimer clock;
    clock.start();
    bool interrupted = false;
    if (process.waitForStarted(5000)) {
        while (!process.waitForFinished(50)) {
            process.readAll();
            if (process.state() == QProcess::NotRunning)
                break;
            if (isInterruptionRequested()) {
                interrupted = true;
                break;
            }
            if (clock.elapsed() > ProcessTimeoutMs)
                break;
        }
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(1000);
            QFile::remove(target); // never keep a picture ffmpeg did not finish
        }
    } else if (process.error() == QProcess::FailedToStart) {
        qWarning().noquote() << "ffmpeg could not be started, no thumbnail for" << path << ":"
                             << process.errorString();
        // An empty or missing file is known to be no recording even so.
        const QFileInfo info(path);
        noTool = info.isFile() && info.size() > 0;
    }
    if (interrupted)
        return false;
    isOk = fileSizeText(target, 0).toInt() > 0;
    return true;
}
