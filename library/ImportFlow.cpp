#include "library/ImportFlow.h"

#include "controls/HudDialog.h"
#include "controls/PromptBox.h"
#include "library/AddLoadWidget.h"
#include "library/DbManager.h"
#include "library/DbModel.h"
#include "library/FilesListView.h"
#include "library/ThumbnailMaker.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QThread>
#include <algorithm>

ImportFlow::ImportFlow(QObject *parent)
    : QObject(parent)
{
}

ImportFlow::~ImportFlow() = default;

void ImportFlow::importPaths(const QStringList &paths, bool play)
{
    m_queue.append({paths, play});
    if (!m_busy)
        startNext();
}

void ImportFlow::startNext()
{
    if (m_queue.isEmpty())
        return;
    m_busy = true;
    m_current = m_queue.takeFirst();
    m_problems.clear();
    qDebug() << "import requested:" << m_current.paths.size() << "paths";
    auto result = std::make_shared<RecordingScan::Result>();
    m_scan = result;
    const QStringList paths = m_current.paths;
    m_scanThread.reset(QThread::create([result, paths] {
        *result = RecordingScan::collect(
            paths, [] { return QThread::currentThread()->isInterruptionRequested(); });
    }));
    connect(m_scanThread.get(), &QThread::finished, this, &ImportFlow::scanFinished);
    m_scanThread->start();
}

void ImportFlow::scanFinished()
{
    for (const auto &problem : qAsConst(m_scan->problems)) {
        const ThumbnailResult why = problem.second == RecordingScan::Problem::Unreadable
            ? ThumbnailResult::Unreadable
            : ThumbnailResult::NotRecording;
        m_problems.append({problem.first, ThumbnailMaker::reasonText(why)});
    }
    // The store calls back at once, before it frees the models.
    QStringList fresh;
    DbManager::instance()->selectDbModels(
        DbTableKind::LoadFiles, 0, {}, {"time"}, [this, &fresh](QList<DbModel *> listed, bool) {
            fresh = FilesListView::newPaths(m_scan->recordings, listed);
        });
    // Without a file to play, the new row the list shows first plays, as
    // after every import.
    m_fresh = fresh;
    std::sort(m_fresh.begin(), m_fresh.end(), [](const QString &a, const QString &b) {
        return QFileInfo(a).fileName() < QFileInfo(b).fileName();
    });
    qDebug() << "import found:" << m_scan->recordings.size() << "recordings," << fresh.size()
             << "new";
    if (fresh.isEmpty()) {
        if (m_scan->recordings.isEmpty() || !m_current.play)
            emit nothingNew();
        finish();
        return;
    }
    auto *panel = new AddLoadWidget(
        QCoreApplication::translate("FilesListView", "Video is loading", "视频加载中"), fresh);
    m_panel = panel;
    connect(panel, &AddLoadWidget::batchStored, this, &ImportFlow::rowsStored);
    auto *dialog = new HudDialog(panel, m_host);
    connect(dialog, &HudDialog::sendLoadingFinished, this, &ImportFlow::panelFinished);
    dialog->show();
}

void ImportFlow::panelFinished()
{
    if (m_panel) {
        for (const auto &failure : m_panel->failures())
            m_problems.append({failure.first, ThumbnailMaker::reasonText(failure.second)});
    }
    finish();
}

void ImportFlow::finish()
{
    if (!m_problems.isEmpty())
        showReport();
    emit importFinished(m_current.play ? m_scan->recordings : m_fresh);
    m_fresh.clear();
    m_panel = nullptr;
    m_busy = false;
    if (!m_queue.isEmpty())
        startNext();
}

void ImportFlow::showReport()
{
    QStringList lines;
    for (const auto &problem : qAsConst(m_problems))
        lines.append(
            QStringLiteral("%1 — %2").arg(QDir::toNativeSeparators(problem.first), problem.second));
    qWarning().noquote() << "not imported:" << lines.join(QStringLiteral("; "));
    auto *report = new PromptBox(tr("Files that could not be added: %1").arg(m_problems.size()), 1,
                                 m_host, lines);
    report->setObjectName(QStringLiteral("importReport"));
    report->show();
}
