#pragma once

#include <QStringList>
#include <QThread>

// Makes the 58 x 58 thumbnail of every file of an import batch, one ffmpeg
// run at a time, and reports each file by taskFinishedForThumbPictrue (emitted
// from the worker thread). An existing thumbnail is reused without a run.
// requestInterruption() stops the batch at once: the running ffmpeg is killed
// and its half-written picture removed, so a cancel never waits for it.
// When ffmpeg cannot be started at all, nothing is known against the files:
// they are kept without a picture and listed in noToolFiles as well.
// thumbnailOkFiles (the files to store) and noToolFiles may be read only after
// finished().
class MyThread : public QThread
{
    Q_OBJECT

public:
    explicit MyThread(const QStringList &files, QObject *parent = nullptr);
    ~MyThread() override;

    QStringList thumbnailOkFiles;
    QStringList noToolFiles;

    static constexpr int ProcessTimeoutMs = 30000;

signals:
    void taskFinishedForThumbPictrue(bool isOk, QString url, int sort);

protected:
    void run() override;

private:
    // False when the run was interrupted; isOk tells whether a thumbnail exists,
    // noTool whether ffmpeg could not be started.
    bool makeThumbnail(const QString &path, bool &isOk, bool &noTool);

    QStringList m_files;
};
