#pragma once

#include <QThread>

class CmdModel;

// Runs one cut or still job of a CmdModel with ffmpeg on its own thread and
// reports the result by one of its signals, emitted from that thread. The
// model is not owned, must outlive the job and is read on the job's thread:
// a caller that goes on editing its model hands over a clone().
// requestInterruption() stops a running job within one slice: ffmpeg is
// killed and its half-written output removed.
class FFmpegThread : public QThread
{
    Q_OBJECT

public:
    explicit FFmpegThread(CmdModel *model, QObject *parent = nullptr);
    ~FFmpegThread() override;

    // A job succeeded when ffmpeg ended normally with exit code 0 and left a
    // non-empty file (sizes of 2 GiB and more included).
    static bool isOutputWritten(const QString &path);

    static constexpr int TimeoutMs = 600000;
    static constexpr int SliceMs = 50;

    // Whether the last job failed because the ffmpeg program could not be
    // started at all (missing or not executable), rather than ffmpeg failing.
    // Read after the finished signal, once wait() has returned.
    bool programNotStarted() const { return m_programNotStarted; }

signals:
    void taskFinishedForThumbPictrue(bool isOk);
    void taskFinishedForCutVideo(bool isOk);

protected:
    void run() override;

private:
    bool runJob();

    CmdModel *m_model;
    bool m_programNotStarted = false;
};
