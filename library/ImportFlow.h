#pragma once

#include "library/RecordingScan.h"
#include "library/ThreadPtr.h"

#include <QList>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QStringList>
#include <memory>

class AddLoadWidget;
class QThread;
class QWidget;

// Brings files and folders into the library, whoever hands them over: the add
// dialogs, the command line, another start of the program, a drop. Folders are
// searched off the GUI thread, what the library already holds is skipped, the
// rest is imported by the import panel in batches, and at the end the files
// that could not be added are reported with their reasons. Requests arriving
// while one runs wait their turn. GUI thread only.
class ImportFlow final : public QObject
{
    Q_OBJECT
public:
    explicit ImportFlow(QObject *parent = nullptr);
    ~ImportFlow() override;

    // The widget the progress layer and the report cover.
    void setHost(QWidget *host) { m_host = host; }

    // With play, the first of the recordings found that is in the library
    // afterwards is asked to play, even when all were there before.
    void importPaths(const QStringList &paths, bool play);
    bool isBusy() const { return m_busy; }

    // The running import's panel, null between imports.
    AddLoadWidget *panel() const { return m_panel; }
    // The last finished import's problems: a path and why it was not added.
    const QList<QPair<QString, QString>> &lastProblems() const { return m_problems; }

signals:
    // A batch of rows was stored: the list may show them now.
    void rowsStored();
    // The import ended (run through, cancelled or with nothing new). The
    // first of toPlay that is in the library should play: the recordings
    // found when the request asked to play, else the new files by name.
    void importFinished(const QStringList &toPlay);
    // Everything found was in the library already.
    void nothingNew();

private:
    struct Request
    {
        QStringList paths;
        bool play = false;
    };
    void startNext();
    void scanFinished();
    void panelFinished();
    void finish();
    void showReport();

    QPointer<QWidget> m_host;
    QList<Request> m_queue;
    Request m_current;
    bool m_busy = false;
    ThreadPtr<QThread> m_scanThread;
    // Shared with the scan thread, which may outlive this object.
    std::shared_ptr<RecordingScan::Result> m_scan;
    QStringList m_fresh;
    QPointer<AddLoadWidget> m_panel;
    QList<QPair<QString, QString>> m_problems;
};
