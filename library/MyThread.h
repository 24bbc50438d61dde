#pragma once

#include "library/ThumbnailMaker.h"

#include <QList>
#include <QMutex>
#include <QPair>
#include <QStringList>
#include <QThread>

#include <vector>

// Makes the 58 x 58 thumbnail of every file of an import batch with
// ThumbnailMaker, one file per worker, as many workers as cores, and reports
// each file by taskFinishedForThumbPictrue (emitted from a worker thread, one
// at a time, sort counting the files processed so far). An existing thumbnail
// is reused without decoding. A damaged file only fails itself.
// requestInterruption() stops the batch within a fraction of a second: the
// files being decoded are abandoned without a picture, the ones done stay.
// thumbnailOkFiles (the files to store, in input order), failedFiles (the
// files without a thumbnail and why, in input order) and noToolFiles may be
// read only after finished().
class MyThread : public QThread
{
    Q_OBJECT

public:
    // workers <= 0: QThread::idealThreadCount().
    explicit MyThread(const QStringList &files, QObject *parent = nullptr, int workers = 0);
    ~MyThread() override;

    QStringList thumbnailOkFiles;
    QList<QPair<QString, ThumbnailResult>> failedFiles;
    // Always empty since thumbnails are made in this process: no program to miss.
    QStringList noToolFiles;

signals:
    void taskFinishedForThumbPictrue(bool isOk, QString url, int sort);

protected:
    void run() override;

private:
    void work();

    QStringList m_files;
    int m_workers = 1;
    std::vector<ThumbnailResult> m_results; // by input index, Interrupted until done
    QAtomicInt m_next = 0;
    QMutex m_reportLock;
    int m_processed = 0; // under m_reportLock
};
