#pragma once

#include "library/ThreadPtr.h"
#include "library/ThumbnailMaker.h"

#include <QStringList>
#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;
class MyThread;

// The import panel: starts importing at construction, in batches of at most
// BatchSize files behind one progress bar and one cancel. Each batch makes
// its thumbnails, then stores one LoadFiles row per file with a thumbnail (or
// per file at all when ffmpeg is missing) in one transaction and emits
// batchStored(), so the list can show them while the next batch runs. After
// the last batch, or a cancel, it emits sendLoadingCompleted() exactly once.
// Files that could not be stored, or thumbnails that could not be made for
// want of ffmpeg, are told to the user by a notice. Main thread only.
class AddLoadWidget final : public QWidget
{
    Q_OBJECT

public:
    AddLoadWidget(const QString &title, const QStringList &files, QWidget *parent = nullptr);
    ~AddLoadWidget() override;

    static constexpr int BatchSize = 300;

    // The running batch's worker (the last one once complete).
    MyThread *thread() const { return m_thread.get(); }
    QString importTime() const { return m_importTime; }
    // Valid once the batch is complete.
    int storedCount() const { return m_storedCount; }
    QString noticeText() const { return m_noticeText; }
    // Files that got no thumbnail and were not added, and why, in import order.
    const QList<QPair<QString, ThumbnailResult>> &failures() const { return m_failures; }

    // The LoadFiles columns of one imported path, stamped with a batch time.
    static QMap<QString, QString> rowFor(const QString &path, const QString &importTime);

signals:
    void sendLoadingCompleted();
    void batchStored(int rows);

public slots:
    void createConnectText(int num, int sort);
    void on_cancelButton_clicked();
    void CurrentThreadFinished();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void buildForm(const QString &title);
    void onThumbnailDone(bool isOk, const QString &url, int sort);
    void startBatch();
    void completeBatch(const QStringList &files);
    void completeImport();
    int storeRows(const QStringList &files);
    void showNotice(int wanted, int withoutThumbnail);

    bool m_cancelled = false;
    QLabel *m_titleLabel = nullptr;
    QProgressBar *m_progressBar = nullptr;
    QLabel *m_connectLable = nullptr;
    QPushButton *m_cancelButton = nullptr;
    ThreadPtr<MyThread> m_thread;
    QString m_importTime;
    QStringList m_files;
    int m_batchStart = 0; // index in m_files of the running batch's first file
    int m_totalCount = 0;
    bool m_completed = false;
    int m_storedCount = 0;
    int m_wantedCount = 0; // files with a thumbnail that still exist
    int m_noToolCount = 0;
    QList<QPair<QString, ThumbnailResult>> m_failures;
    QString m_noticeText;
};
