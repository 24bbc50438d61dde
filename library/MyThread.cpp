#include "library/MyThread.h"

#include <QDebug>

#include <memory>

MyThread::MyThread(const QStringList &files, QObject *parent, int workers)
    : QThread(parent)
    , m_files(files)
    , m_workers(workers > 0 ? workers : qMax(1, QThread::idealThreadCount()))
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
    m_results.assign(size_t(m_files.size()), ThumbnailResult::Interrupted);
    m_next = 0;
    m_processed = 0;
    // This thread is one of the workers.
    std::vector<std::unique_ptr<QThread>> helpers;
    const int count = qMin(m_workers, int(m_files.size()));
    for (int i = 1; i < count; ++i) {
        helpers.emplace_back(QThread::create([this] { work(); }));
        helpers.back()->start();
    }
    work();
    for (const auto &helper : helpers)
        helper->wait();

    thumbnailOkFiles.clear();
    failedFiles.clear();
    noToolFiles.clear();
    for (int i = 0; i < m_files.size(); ++i) {
        const ThumbnailResult result = m_results.at(size_t(i));
        if (result == ThumbnailResult::Made || result == ThumbnailResult::Reused
            || result == ThumbnailResult::NoTool)
            thumbnailOkFiles.append(m_files.at(i));
        if (result == ThumbnailResult::NoTool)
            noToolFiles.append(m_files.at(i));
        if (ThumbnailMaker::isFailure(result))
            failedFiles.append({m_files.at(i), result});
    }
    qDebug() << "MyThread finish";
}

void MyThread::work()
{
    const auto cancelled = [this] { return isInterruptionRequested(); };
    while (!isInterruptionRequested()) {
        const int index = m_next.fetchAndAddRelaxed(1);
        if (index >= m_files.size())
            return;
        const QString &path = m_files.at(index);
        const ThumbnailResult result = ThumbnailMaker::make(path, cancelled);
        if (result == ThumbnailResult::Interrupted)
            return; // the file counts as not processed
        if (ThumbnailMaker::isFailure(result))
            qDebug().noquote() << "no thumbnail for" << path << ":"
                               << ThumbnailMaker::reasonText(result);
        m_results[size_t(index)] = result;
        // One report at a time, so sort counts up in the order receivers see.
        const QMutexLocker lock(&m_reportLock);
        const bool isOk = result == ThumbnailResult::Made || result == ThumbnailResult::Reused;
        emit taskFinishedForThumbPictrue(isOk, path, ++m_processed);
    }
}
