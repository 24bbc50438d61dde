#include "library/FFmpegThread.h"

#include "app/Helpers.h"
#include "app/Settings.h"
#include "library/CmdModel.h"

#include <QDebug>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>

FFmpegThread::FFmpegThread(CmdModel *model, QObject *parent)
    : QThread(parent)
    , m_model(model)
{
}

FFmpegThread::~FFmpegThread()
{
    wait();
    exit(0);
    qDebug() << "FFmpegThread close";
}

bool FFmpegThread::isOutputWritten(const QString &path)
{
    return fileSizeText(path, 0).toLongLong() > 0;
}

void FFmpegThread::run()
{
    const bool isOk = runJob();
    if (m_model->cmdType == CmdModel::Cut)
        emit taskFinishedForCutVideo(isOk);
    else
        emit taskFinishedForThumbPictrue(isOk);
}

bool FFmpegThread::runJob()
{
    m_programNotStarted = false;
    const QString command = m_model->createCmdString();
    const QString inputPath = m_model->inputPath;
    qDebug().noquote() << "cut for video save path:" << command << ":::::::" << inputPath;

    // Without a save folder the target would land in the file system's root.
    if (m_model->cmdType != CmdModel::Thumbnail && Settings::saveFolder().get().isEmpty()) {
        qDebug() << "saveFilePath is not set";
        return false;
    }

    QProcess process;
    // Nothing is read from ffmpeg: its chatter must not pile up in memory
    // during a long job.
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    QObject::connect(&process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished),
                     [](int, QProcess::ExitStatus status) {
                         if (status != QProcess::NormalExit)
                             qDebug() << "进程异常结束的处理：" << status;
                     });
    process.start(m_model->program(), m_model->arguments(), QIODevice::ReadWrite);
    if (!process.waitForStarted()) {
        qDebug() << "ffmpeg did not start:" << process.errorString();
        m_programNotStarted = process.error() == QProcess::FailedToStart;
        return false;
    }
    QElapsedTimer elapsed;
    elapsed.start();
    // Short slices, so that an owner letting go of the job stops it at once.
    while (!process.waitForFinished(SliceMs)) {
        const bool interrupted = isInterruptionRequested();
        if (!interrupted && elapsed.elapsed() < TimeoutMs
            && process.state() != QProcess::NotRunning)
            continue;
        // A job stopped or still running after the time limit is a failure,
        // whatever part of the file it has written so far.
        qDebug() << (interrupted ? "ffmpeg stopped: the job was let go" : "ffmpeg timed out");
        process.kill();
        process.waitForFinished(5000);
        if (interrupted)
            QFile::remove(m_model->outputPath);
        return false;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        qDebug() << "ffmpeg failed, exit code" << process.exitCode();
        return false;
    }
    return isOutputWritten(m_model->outputPath);
}
