#include "library/FilesListView.h"

#include "app/AppManager.h"
#include "app/Helpers.h"
#include "app/Settings.h"
#include "controls/HudDialog.h"
#include "controls/HudView.h"
#include "controls/Palette.h"
#include "controls/PromptBox.h"
#include "controls/RoundedDialog.h"
#include "controls/StyleSheets.h"
#include "library/AddLoadWidget.h"
#include "library/CustomListItem.h"
#include "library/CustomScrollBar.h"
#include "library/DbManager.h"
#include "library/DbModel.h"
#include "library/ImportFlow.h"
#include "library/PlayGroup.h"
#include "library/TripBuilder.h"
#include "library/TripHeaderRow.h"
#include "library/VideoMessage.h"
#include "settings/SetWidget.h"

#include <QDateTime>
#include <QDebug>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>

namespace {
QString whiteToolTip(const QString &text)
{
    return "<html><head/><body><p><span style=\" color:" + Palette::css(Palette::toolTipText())
        + ";\">" + text + "</span></p></body></html>";
}

QPushButton *toolButton(const char *name, const char *icon, QWidget *parent)
{
    auto *button = new QPushButton(parent);
    button->setObjectName(name);
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    button->setMinimumSize(40, 30);
    button->setIconSize(QSize(40, 30));
    button->setIcon(QIcon(QString(":/Resources/PlayTool/") + icon));
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

bool pathExists(const QString &path)
{
    return fileExists(path);
}

// A list row owns its library entry; the row's widget is made only once the
// row scrolls into view, so a library of thousands opens at once.
class EntryItem final : public QListWidgetItem
{
public:
    static constexpr int Type = QListWidgetItem::UserType + 1;
    EntryItem(const DbModel &entry, QListWidget *list)
        : QListWidgetItem(list, Type)
        , model(std::make_unique<DbModel>(entry))
    {
        setSizeHint(QSize(0, 58));
    }
    std::unique_ptr<DbModel> model;
    int trip = -1; // in trip view, the trip it belongs to
};

// A trip's header row; its widget is a TripHeaderRow.
class TripItem final : public QListWidgetItem
{
public:
    static constexpr int Type = QListWidgetItem::UserType + 2;
    TripItem(int trip, QListWidget *list)
        : QListWidgetItem(list, Type)
        , trip(trip)
    {
        setSizeHint(QSize(0, 58));
        // Clicking folds it; only recordings are ever the chosen row.
        setFlags(Qt::ItemIsEnabled);
    }
    int trip;
};

int tripOfItem(QListWidgetItem *item)
{
    if (!item)
        return -1;
    if (item->type() == TripItem::Type)
        return static_cast<TripItem *>(item)->trip;
    if (item->type() == EntryItem::Type)
        return static_cast<EntryItem *>(item)->trip;
    return -1;
}
} // namespace

FilesListView::FilesListView(QWidget *mainWindow, QWidget *parent)
    : QWidget(parent)
    , m_mainWindow(mainWindow)
{
    setupForm();
    m_import = new ImportFlow(this);
    connect(m_import, &ImportFlow::rowsStored, this, [this] { loadListFromDb(true, false); });
    connect(m_import, &ImportFlow::importFinished, this, &FilesListView::importFinished);
    connect(m_import, &ImportFlow::nothingNew, this,
            [this] { showNotice(tr("selectFiles_Added")); });
    loadListFromDb(true, false);
    m_listWidget->setSelectionMode(QAbstractItemView::SingleSelection);
    m_listWidget->clearSelection();
    m_listWidget->setFocusPolicy(Qt::NoFocus);
    // Nothing is shown selected at start.
    QTimer::singleShot(100, this, [this] { m_listWidget->setCurrentItem(nullptr); });
    connect(AppManager::instance(), &AppManager::changePlayModelType, this,
            &FilesListView::onPlayModelChanged);
    connect(AppManager::instance(), &AppManager::changePlayerType, this,
            [this](int type) { emit currentWillPlayListForChangePlayer(type, m_playGroup); });
}

FilesListView::~FilesListView() = default;

void FilesListView::setupForm()
{
    setObjectName("FilesListView");
    resize(376, 451);
    setMinimumWidth(376);
    const QString panel = Palette::css(Palette::panelBackground());
    setStyleSheet(QStringLiteral("background-color: %1; border: none;").arg(panel));
    auto *layout = new QVBoxLayout(this);
    layout->setObjectName("verticalLayout");
    layout->setSpacing(0);
    layout->setContentsMargins(0, 0, 0, 0);

    m_toolBar = new QWidget(this);
    m_toolBar->setObjectName("widget");
    m_toolBar->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    m_toolBar->setMinimumSize(376, 64);
    m_toolBar->setStyleSheet(StyleSheets::toolTip());
    auto *bar = new QHBoxLayout(m_toolBar);
    bar->setObjectName("horizontalLayout");
    bar->setSpacing(0);
    bar->setContentsMargins(0, 0, 0, 0);
    m_setButton = toolButton("setButton", "set.png", m_toolBar);
    m_addButton = toolButton("pushButton_2", "addFiles.png", m_toolBar);
    m_addFolderButton = toolButton("addFolderButton", "addFolder.png", m_toolBar);
    m_deleteButton = toolButton("deleteButton", "delete.png", m_toolBar);
    m_sortButton = toolButton("pushButton_4", "sortUp.png", m_toolBar);
    m_sortButton->setCheckable(true);
    m_sortButton->setChecked(false);
    m_tripsButton = toolButton("tripsButton", "trips.png", m_toolBar);
    m_tripsButton->setCheckable(true);
    m_tripView = Settings::tripView().get() != 0;
    m_tripsButton->setChecked(m_tripView);
    showTripButton();
    for (QPushButton *button :
         {m_setButton, m_addButton, m_addFolderButton, m_deleteButton, m_sortButton, m_tripsButton})
        bar->addWidget(button);
    layout->addWidget(m_toolBar);

    m_listWidget = new QListWidget(this);
    m_listWidget->setObjectName("listWidget");
    m_listWidget->setVerticalScrollBar(new CustomScrollBar(m_listWidget));
    // The chosen row's highlight fades in from the panel behind it.
    m_listWidget->setStyleSheet(
        QStringLiteral(
            "QListWidget { background-color: %1; border: none; outline: none; }"
            "QListWidget::item:selected, QListWidget::item:selected:hover {"
            " background: %2;"
            " padding-right: 10px; border-top-right-radius: 10px; border-bottom-right-radius: "
            "10px; }"
            "QListWidget::item:hover:!selected { background: transparent; }")
            .arg(panel, StyleSheets::highlightGradient(Palette::panelBackground()))
        + CustomListItem::rowStyleSheet() + TripHeaderRow::rowStyleSheet());
    m_listWidget->setUniformItemSizes(true);
    m_listWidget->viewport()->installEventFilter(this);
    connect(m_listWidget->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &FilesListView::scheduleVisibleRows);
    connect(m_listWidget->verticalScrollBar(), &QScrollBar::rangeChanged, this,
            &FilesListView::scheduleVisibleRows);
    layout->addWidget(m_listWidget);
    retranslate();

    connect(m_listWidget, &QListWidget::itemClicked, this,
            &FilesListView::on_listWidget_itemClicked);
    connect(m_listWidget, &QListWidget::currentItemChanged, this,
            &FilesListView::on_listWidget_currentItemChanged);
    connect(m_deleteButton, &QPushButton::clicked, this, &FilesListView::on_deleteButton_clicked);
    connect(m_setButton, &QPushButton::clicked, this, &FilesListView::on_setButton_clicked);
    connect(m_sortButton, &QPushButton::clicked, this, &FilesListView::on_pushButton_4_clicked);
    connect(m_addButton, &QPushButton::clicked, this, &FilesListView::on_pushButton_2_clicked);
    connect(m_addFolderButton, &QPushButton::clicked, this, &FilesListView::addFolderClicked);
    connect(m_tripsButton, &QPushButton::clicked, this, &FilesListView::setTripView);
    connect(m_listWidget, &QListWidget::itemClicked, this, &FilesListView::onHeaderClicked);
    connect(m_listWidget, &QListWidget::itemDoubleClicked, this,
            &FilesListView::onItemDoubleClicked);
    m_listWidget->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_listWidget, &QListWidget::customContextMenuRequested, this,
            &FilesListView::showRowMenu);
    connect(m_listWidget, &QListWidget::customContextMenuRequested, this,
            &FilesListView::showTripMenu);
}

void FilesListView::retranslate()
{
    m_setButton->setToolTip(whiteToolTip(tr("设置")));
    m_addButton->setToolTip(whiteToolTip(tr("打开文件")));
    //: tool tip of the button that adds every recording under a folder, e.g. a camera's card
    m_addFolderButton->setToolTip(whiteToolTip(tr("Add a folder")));
    m_deleteButton->setToolTip(whiteToolTip(tr("清空列表")));
    m_sortButton->setToolTip(whiteToolTip(tr("排序")));
    //: tool tip of the button that switches the file list between files and trips
    m_tripsButton->setToolTip(whiteToolTip(tr("Group by trip")));
}

void FilesListView::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

int FilesListView::rowCount() const
{
    return m_listWidget->count();
}

DbModel *FilesListView::modelAt(int row) const
{
    return modelOf(m_listWidget->item(row));
}

DbModel *FilesListView::modelOf(QListWidgetItem *item) const
{
    if (!item || item->type() != EntryItem::Type)
        return nullptr;
    return static_cast<EntryItem *>(item)->model.get();
}

CustomListItem *FilesListView::widgetOf(QListWidgetItem *item) const
{
    return item ? qobject_cast<CustomListItem *>(m_listWidget->itemWidget(item)) : nullptr;
}

CustomListItem *FilesListView::rowWidget(int row)
{
    QListWidgetItem *item = m_listWidget->item(row);
    if (CustomListItem *widget = widgetOf(item))
        return widget;
    if (!modelOf(item))
        return nullptr;
    return makeRowWidget(item);
}

CustomListItem *FilesListView::makeRowWidget(QListWidgetItem *item)
{
    if (item && item->type() == TripItem::Type) {
        const int trip = tripOfItem(item);
        auto *header = new TripHeaderRow(m_trips.value(trip));
        header->setOpen(isTripOpen(trip));
        m_listWidget->setItemWidget(item, header);
        return nullptr;
    }
    DbModel *model = modelOf(item);
    if (!model)
        return nullptr;
    auto *widget = new CustomListItem(model);
    connect(widget, &CustomListItem::buttonAction, this, &FilesListView::deleteOneEntry);
    m_listWidget->setItemWidget(item, widget);
    widget->setSelectedStyle(item == m_listWidget->currentItem());
    return widget;
}

bool FilesListView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_listWidget->viewport()
        && (event->type() == QEvent::Resize || event->type() == QEvent::Show))
        scheduleVisibleRows();
    return QWidget::eventFilter(watched, event);
}

// Coalesces scrolls, resizes and refills into one pass after they settle.
void FilesListView::scheduleVisibleRows()
{
    if (m_visibleRowsPending)
        return;
    m_visibleRowsPending = true;
    QTimer::singleShot(0, this, &FilesListView::makeVisibleRows);
}

void FilesListView::makeVisibleRows()
{
    m_visibleRowsPending = false;
    const QRect area = m_listWidget->viewport()->rect();
    QListWidgetItem *top = m_listWidget->itemAt(QPoint(0, 0));
    for (int row = top ? m_listWidget->row(top) : 0; row < m_listWidget->count(); ++row) {
        QListWidgetItem *item = m_listWidget->item(row);
        // Folded recordings have no place on screen.
        if (item->isHidden())
            continue;
        if (m_listWidget->visualItemRect(item).top() > area.bottom())
            break;
        if (!m_listWidget->itemWidget(item))
            makeRowWidget(item);
    }
}

void FilesListView::loadListFromDb(bool noAutoPlay, bool isResort)
{
    DbManager::instance()->selectDbModels(
        DbTableKind::LoadFiles, 0, {}, {},
        [this, noAutoPlay, isResort](QList<DbModel *> entries, bool ok) {
            if (!ok)
                return;
            qDebug() << "add files number:" << entries.size();
            fillList(entries, noAutoPlay, isResort);
        });
}

void FilesListView::fillList(QList<DbModel *> entries, bool noAutoPlay, bool isResort)
{
    const bool descending = m_sortButton->isChecked();
    m_sortButton->setIcon(QIcon(descending ? ":/Resources/PlayTool/sortDown.png"
                                           : ":/Resources/PlayTool/sortUp.png"));
    qDebug() << (descending ? "降序" : "升序");
    const int rowsBefore = m_listWidget->count();

    // The current entry's row is about to go: keep what identifies it.
    const QString currentPath = m_currentModel ? m_currentModel->path : QString();
    const bool hadCurrent = m_currentModel != nullptr;
    QStringList groupPaths;
    for (const DbModel *member : qAsConst(m_playGroup))
        groupPaths << member->path;
    QSet<QString> pathsBefore;
    for (int row = 0; row < m_listWidget->count(); ++row) {
        if (const DbModel *model = modelAt(row))
            pathsBefore.insert(model->path);
    }
    // A regroup while the user looks down the list leaves it where it was.
    const int scrolled = m_listWidget->verticalScrollBar()->value();
    m_currentModel = nullptr;
    m_playGroup.clear();
    m_lastClickedItem = nullptr;
    m_listWidget->clear();
    m_modelsByFileName.clear();
    m_trips.clear();
    m_tripPaths.clear();

    std::stable_sort(entries.begin(), entries.end(),
                     [descending](const DbModel *a, const DbModel *b) {
                         if (a->time != b->time)
                             return descending ? a->time > b->time : a->time < b->time;
                         return a->fileName < b->fileName;
                     });
    if (m_tripView) {
        fillTrips(entries, descending, currentPath, hadCurrent, isResort, groupPaths);
    } else {
        for (const DbModel *entry : qAsConst(entries))
            addEntryRow(*entry, -1, currentPath, hadCurrent, isResort, groupPaths);
    }
    if (isResort && m_tripView)
        m_listWidget->verticalScrollBar()->setValue(scrolled);
    scheduleVisibleRows();
    if (!isResort && !noAutoPlay) {
        int row = descending ? 0 : rowsBefore;
        // Trips put new files anywhere: the first row of a new file plays.
        if (m_tripView) {
            row = m_listWidget->count();
            for (int r = 0; r < m_listWidget->count() && row == m_listWidget->count(); ++r) {
                if (modelAt(r) && !pathsBefore.contains(modelAt(r)->path))
                    row = r;
            }
        }
        if (row < m_listWidget->count())
            clickRow(row, true);
    }
    qDebug() << "user add select files finish";
    if (isResort)
        m_sortReady = true;
    const QList<DbModel> missing = rowsWithoutClipFacts();
    if (!missing.isEmpty())
        emit clipFactsMissing(missing);
}

void FilesListView::addEntryRow(const DbModel &entry,
                                int trip,
                                const QString &currentPath,
                                bool hadCurrent,
                                bool isResort,
                                const QStringList &groupPaths)
{
    auto *item = new EntryItem(entry, m_listWidget);
    item->trip = trip;
    DbModel *model = item->model.get();
    m_modelsByFileName.insert(model->fileName, model);
    // Point the group and the current entry at the new rows of the same files.
    if (groupPaths.contains(model->path))
        m_playGroup.append(model);
    if (hadCurrent && model->path == currentPath)
        m_currentModel = model;
    // The same file is the same path: two folders may hold one name.
    if (isResort && hadCurrent && model->path == currentPath) {
        m_currentModel = model;
        if (trip >= 0)
            m_openTrips.insert(m_tripPaths.value(trip).value(0));
        m_listWidget->setCurrentItem(item);
    }
}

void FilesListView::fillTrips(const QList<DbModel *> &entries,
                              bool descending,
                              const QString &currentPath,
                              bool hadCurrent,
                              bool isResort,
                              const QStringList &groupPaths)
{
    // Rows without facts yet count as undated: each its own trip until the
    // filler has read them.
    QVector<ClipFacts> facts;
    facts.reserve(entries.size());
    for (const DbModel *entry : entries) {
        ClipFacts clip = entry->hasClip ? entry->clip : ClipFacts();
        clip.path = entry->path;
        clip.channel = ClipFacts::channelOf(entry->path);
        facts.append(clip);
    }
    m_trips = TripBuilder::group(facts);
    if (descending)
        std::reverse(m_trips.begin(), m_trips.end());
    for (const Trip &trip : qAsConst(m_trips)) {
        QStringList paths;
        for (int index : trip.leadClips)
            paths << entries[index]->path;
        m_tripPaths.append(paths);
    }
    for (int t = 0; t < m_trips.size(); ++t) {
        new TripItem(t, m_listWidget);
        for (int index : qAsConst(m_trips[t].clips))
            addEntryRow(*entries[index], t, currentPath, hadCurrent, isResort, groupPaths);
    }
    // Folded trips hide their rows; the chosen row has opened its own.
    for (int row = 0; row < m_listWidget->count(); ++row) {
        QListWidgetItem *item = m_listWidget->item(row);
        if (item->type() == EntryItem::Type)
            item->setHidden(!isTripOpen(tripOfItem(item)));
    }
}

void FilesListView::on_pushButton_4_clicked()
{
    if (!m_sortReady) {
        qDebug() << "排序操作过快";
        return;
    }
    m_sortReady = false;
    loadListFromDb(true, true);
}

void FilesListView::clickRow(int row, bool makeCurrent)
{
    QListWidgetItem *item = m_listWidget->item(row);
    if (!item)
        return;
    if (item->isHidden())
        setTripOpen(tripOfItem(item), true);
    if (makeCurrent)
        m_listWidget->setCurrentItem(item);
    on_listWidget_itemClicked(item);
}

void FilesListView::on_listWidget_itemClicked(QListWidgetItem *item)
{
    DbModel *model = modelOf(item);
    if (!model)
        return;
    qDebug() << "执行查找选中行的文件item";
    // A lead file of the playing trip goes on with the trip; any other file
    // plays alone.
    if (m_tripPlay.isActive()) {
        m_tripPlay.index = m_tripPlay.leadPaths.indexOf(model->path);
        if (!m_tripPlay.isActive())
            m_tripPlay = TripPlay();
        emit tripPlaying(m_tripPlay);
    }
    m_listWidget->setEnabled(false);
    m_lastClickedItem = item;
    m_currentModel = model;
    qDebug() << "判断选中item文件是否存在";
    if (fileExists(m_currentModel->path)) {
        qDebug() << "选中item文件存在";
        const int limit = choiceNumber(AppManager::instance()->playModelType());
        m_playGroup = PlayGroup::build(m_currentModel, m_modelsByFileName, limit, pathExists);
        if (m_tripPlay.isActive())
            PlayGroup::addSameMoment(m_playGroup, m_modelsByFileName, limit + 1, pathExists);
    } else {
        qDebug() << "选中item文件不存在";
        m_playGroup.clear();
    }
    qDebug() << "发出将要播放文件的信号";
    emit currentWillPlayList(m_playGroup);
}

void FilesListView::onPlayModelChanged(int type)
{
    if (!m_currentModel)
        return;
    m_playGroup = PlayGroup::build(m_currentModel, m_modelsByFileName, type, pathExists, true);
    if (m_tripPlay.isActive())
        PlayGroup::addSameMoment(m_playGroup, m_modelsByFileName, type + 1, pathExists);
    emit currentWillPlayList(m_playGroup);
}

void FilesListView::on_listWidget_currentItemChanged(QListWidgetItem *current,
                                                     QListWidgetItem *previous)
{
    qDebug() << "进来了";
    if (CustomListItem *row = widgetOf(current))
        row->setSelectedStyle(true);
    if (CustomListItem *row = widgetOf(previous))
        row->setSelectedStyle(false);
}

int FilesListView::rowMatching(const QString &url) const
{
    const QString wanted = QUrl::fromLocalFile(url).toLocalFile();
    for (int row = 0; row < m_listWidget->count(); ++row) {
        const DbModel *model = modelAt(row);
        if (!model)
            continue;
        // A file removed from the disk has no canonical path, but its row is
        // still where it was: the next one plays after it, not nothing.
        const QFileInfo info(model->path);
        const QString path = info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
        if (path.compare(wanted, Qt::CaseInsensitive) == 0)
            return row;
    }
    return -1;
}

void FilesListView::playNextOf(const QString &url)
{
    if (!m_listWidget->isEnabled()) {
        qDebug() << "处于选择文件监控时间";
        return;
    }
    qDebug() << "当前播放的地址1111：：：" + url;
    if (stepTrip(url, 1))
        return;
    const int row = rowMatching(url);
    if (row < 0) {
        qDebug() << "单个删除完所有文件了";
        emit userSelectDelete(true, true, nullptr);
        return;
    }
    clickRow(entryRowFrom(row + 1, 1), true);
}

void FilesListView::playPreviousOf(const QString &url)
{
    if (!m_listWidget->isEnabled()) {
        qDebug() << "处于选择文件监控时间";
        return;
    }
    if (stepTrip(url, -1))
        return;
    const int row = rowMatching(url);
    if (row < 0)
        return;
    clickRow(entryRowFrom(row - 1, -1), true);
}

void FilesListView::playSameAs(const QString &url)
{
    const int row = rowMatching(url);
    if (row >= 0)
        clickRow(row, false);
}

void FilesListView::enableList()
{
    m_listWidget->setEnabled(true);
}

void FilesListView::deleteOneEntry(DbModel *model, CustomListItem *rowWidget)
{
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (now - m_lastDeleteTime < 2000)
        return;
    m_lastDeleteTime = now;
    QListWidgetItem *item = nullptr;
    for (int row = 0; row < m_listWidget->count() && !item; ++row) {
        if (widgetOf(m_listWidget->item(row)) == rowWidget)
            item = m_listWidget->item(row);
    }
    if (!item || !model || modelOf(item) != model)
        return;
    const int row = m_listWidget->row(item);
    const QString fileName = model->fileName;
    const QString path = model->path;

    bool replay = false;
    bool clearAfter = false;
    if (m_currentModel) {
        if (m_currentModel->path == model->path) {
            if (entryCount() == 1) {
                clearAfter = true;
            } else {
                const int next = entryRowFrom(row + 1, 1);
                m_currentModel = modelAt(next);
                if (next <= row)
                    m_listWidget->setCurrentRow(next);
                replay = true;
            }
        } else {
            replay = m_playGroup.contains(model);
        }
    }

    m_playGroup.removeAll(model);
    // The trip goes on without the file.
    const int tripIndex = m_tripPlay.leadPaths.indexOf(path);
    if (tripIndex >= 0) {
        m_tripPlay.leadPaths.removeAt(tripIndex);
        if (m_tripPlay.index > tripIndex
            || (m_tripPlay.index == tripIndex && m_tripPlay.index >= m_tripPlay.leadPaths.size()))
            --m_tripPlay.index;
        if (!m_tripPlay.isActive())
            m_tripPlay = TripPlay();
    }
    // The row widget and its entry live until this handler has returned.
    std::unique_ptr<DbModel> entry = std::move(static_cast<EntryItem *>(item)->model);
    m_listWidget->removeItemWidget(item);
    rowWidget->hide();
    delete m_listWidget->takeItem(m_listWidget->row(item));
    scheduleVisibleRows();
    if (m_modelsByFileName.value(fileName) == entry.get())
        remapFileName(fileName);
    // By path: another folder's file of the same name stays, with its record.
    DbManager::instance()->deleteData(DbTableKind::LoadFiles, {{"path", path}});
    DbManager::instance()->deleteData(DbTableKind::VideoMessage, {{"path", path}});

    if (replay && m_currentModel) {
        qDebug() << "hjhbkjhkjgbjhvbjhbhjbjh::::" + m_currentModel->path;
        playSameAs(m_currentModel->path);
    }
    if (clearAfter)
        on_deleteButton_clicked();
    else if (m_tripView)
        scheduleRegroup(); // the header's figures and count change
}

int FilesListView::entryCount() const
{
    int count = 0;
    for (int row = 0; row < m_listWidget->count(); ++row)
        count += modelAt(row) != nullptr;
    return count;
}

int FilesListView::entryRowFrom(int row, int step) const
{
    const int count = m_listWidget->count();
    for (int tried = 0; tried < count; ++tried, row += step) {
        row = (row % count + count) % count;
        if (modelAt(row))
            return row;
    }
    return -1;
}

// The name's entry goes to the last listed row that still has it, as a
// reload would map it.
void FilesListView::remapFileName(const QString &fileName)
{
    m_modelsByFileName.remove(fileName);
    for (int row = m_listWidget->count() - 1; row >= 0; --row) {
        DbModel *model = modelAt(row);
        if (model && model->fileName == fileName) {
            m_modelsByFileName.insert(fileName, model);
            return;
        }
    }
}

void FilesListView::on_deleteButton_clicked()
{
    qDebug() << "删除所有文件：：：：";
    emit userSelectDelete(true, true, nullptr);
    m_listWidget->clear();
    m_playGroup.clear();
    m_modelsByFileName.clear();
    m_lastClickedItem = nullptr;
    m_trips.clear();
    m_tripPaths.clear();
    m_tripPlay = TripPlay();
    DbManager::instance()->deleteAllData(DbTableKind::LoadFiles);
    DbManager::instance()->deleteAllData(DbTableKind::VideoMessage);
    m_currentModel = nullptr;
}

void FilesListView::on_setButton_clicked()
{
    QDialog *dialog = makeSettingsDialog(m_mainWindow);
    dialog->show();
}

QDialog *FilesListView::makeSettingsDialog(QWidget *mainWindow)
{
    auto *dialog = new RoundedDialog(mainWindow);
    auto *layout = new QVBoxLayout(dialog);
    layout->setContentsMargins(0, 0, 0, 0);
    // The page scrolls on screens shorter than it; elsewhere it shows whole.
    auto *scroll = new QScrollArea(dialog);
    scroll->setObjectName(QStringLiteral("settingsScroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setAutoFillBackground(false);
    scroll->viewport()->setAutoFillBackground(false);
    auto *page = new SetWidget(scroll);
    scroll->setWidget(page);
    const QScreen *screen = mainWindow ? mainWindow->screen() : QGuiApplication::primaryScreen();
    const int room = screen ? screen->availableGeometry().height() - 40 : page->height();
    const bool scrolls = page->height() > room;
    scroll->setFixedSize(page->width()
                             + (scrolls ? scroll->verticalScrollBar()->sizeHint().width() : 0),
                         scrolls ? room : page->height());
    layout->addWidget(scroll);
    dialog->setWindowFlags(Qt::Popup | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    dialog->adjustSize();
    if (mainWindow) {
        const QRect frame = mainWindow->geometry();
        QPoint topLeft = frame.center() - QPoint(dialog->width() / 2, dialog->height() / 2);
        if (screen)
            topLeft.setY(std::max(topLeft.y(), screen->availableGeometry().top() + 20));
        dialog->move(topLeft);
    }
    connect(dialog, &QDialog::finished, page, &QObject::deleteLater);
    connect(dialog, &QDialog::finished, dialog, &QObject::deleteLater);
    return dialog;
}

// Flat or 360° ----------------------------------------------------------------

void FilesListView::showRowMenu(const QPoint &pos)
{
    const DbModel *model = modelOf(m_listWidget->itemAt(pos));
    if (!model)
        return;
    const bool panorama = showsPanorama(*model);
    auto *menu = new QMenu(this);
    menu->setObjectName("rowMenu");
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // The panel's dark background reaches the menu; its text must be light.
    menu->setStyleSheet(StyleSheets::panelMenu());
    QAction *action = menu->addAction(panorama ? tr("Show flat") : tr("Show as 360°"));
    action->setObjectName("panoramaAction");
    // By path: the list may be reloaded while the menu is open.
    connect(action, &QAction::triggered, this,
            [this, path = model->path, panorama] { choosePanorama(path, !panorama); });
    QAction *exportTrack = menu->addAction(tr("Export track…"));
    exportTrack->setObjectName("exportTrackAction");
    // A copy of the row: the list may be reloaded while the menu is open.
    connect(exportTrack, &QAction::triggered, this, [this, row = *model] {
        emit exportTrackRequested({row}, QFileInfo(row.fileName).completeBaseName());
    });
    menu->popup(m_listWidget->viewport()->mapToGlobal(pos));
}

bool FilesListView::showsPanorama(const DbModel &model) const
{
    int filesType = 0;
    if (model.viewChoice == DbModel::ViewChoice::Automatic) {
        DbManager::instance()->selectVideoMessage(DbTableKind::VideoMessage, 0,
                                                  {{"path", model.path}}, {},
                                                  [&filesType](VideoMessage &record, bool ok) {
                                                      if (ok)
                                                          filesType = record.filesType;
                                                  });
    }
    return model.showsPanorama(filesType);
}

void FilesListView::choosePanorama(const QString &path, bool panorama)
{
    const DbModel::ViewChoice choice
        = panorama ? DbModel::ViewChoice::Panorama : DbModel::ViewChoice::Flat;
    bool playing = false;
    for (int row = 0; row < m_listWidget->count(); ++row) {
        DbModel *model = modelAt(row);
        if (model && model->path == path) {
            model->viewChoice = choice;
            playing = playing || m_playGroup.contains(model);
        }
    }
    DbManager::instance()->mergeJsonMessage(DbTableKind::LoadFiles, "path", path,
                                            {{DbModel::ViewChoiceKey, panorama}});
    // The render view decides when a group opens: open the group again.
    if (playing && m_currentModel)
        playSameAs(m_currentModel->path);
}

// Adding files --------------------------------------------------------------

QStringList FilesListView::newPaths(const QStringList &picked, const QList<DbModel *> &listed)
{
    QStringList paths = picked;
    for (const DbModel *entry : listed)
        paths.removeAll(entry->path);
    return paths;
}

void FilesListView::on_pushButton_2_clicked()
{
    qDebug() << "用户点击了添加文件按钮";
    emit starAddFiles();
    if (m_listWidget->count() <= LongListRows) {
        checkShowFileNumber();
        return;
    }
    confirmThen(tr("listFilesForDelete", "历史文件数量过多,删除列表文件避免加载卡顿"),
                [this] { checkShowFileNumber(); });
}

void FilesListView::confirmThen(const QString &text, const std::function<void()> &onSure)
{
    auto *prompt = new PromptBox(text, 1, m_videoView);
    connect(prompt, &PromptBox::sendClickButtonFinished, this, [prompt, onSure](bool isSure) {
        if (!isSure)
            return;
        prompt->deleteLater();
        onSure();
    });
    prompt->show();
}

void FilesListView::checkShowFileNumber()
{
    m_addButton->setEnabled(false);
    const QString lastPath = Settings::lastOpenFolder().get();
    DbManager::instance()->selectDbModels(
        DbTableKind::LoadFiles, 0, {}, {"time"},
        [this, lastPath](QList<DbModel *> listed, bool) { openAddFilesDialog(listed, lastPath); });
}

void FilesListView::openAddFilesDialog(const QList<DbModel *> &listed, const QString &lastPath)
{
    qDebug() << "数据库取出的个数：" << listed.size();
    m_addButton->setEnabled(true);
    const QStringList picked
        = QFileDialog::getOpenFileNames(m_mainWindow, QString(), lastPath, "*.mp4 *.mov *.ts");
    if (picked.isEmpty())
        return;
    addFilesAction(newPaths(picked, listed));
}

void FilesListView::addFilesAction(QStringList fileNames)
{
    m_addStartTime = QDateTime::currentMSecsSinceEpoch();
    if (fileNames.isEmpty()) {
        showNotice(tr("selectFiles_Added"));
        return;
    }
    Settings::lastOpenFolder().set(QFileInfo(fileNames.first()).path());
    qDebug() << "添加文件开始：：："
             << "number::" << fileNames.size();
    importPaths(fileNames, false);
}

void FilesListView::addFolderClicked()
{
    emit starAddFiles();
    const QString folder = QFileDialog::getExistingDirectory(m_mainWindow, tr("Add a folder"),
                                                             Settings::lastOpenFolder().get());
    if (folder.isEmpty())
        return;
    Settings::lastOpenFolder().set(folder);
    importPaths({folder}, false);
}

void FilesListView::openPaths(const QStringList &paths)
{
    importPaths(paths, true);
}

void FilesListView::importPaths(const QStringList &paths, bool play)
{
    m_import->setHost(m_videoView);
    // Let a click or drop handler return before the import layer takes over.
    QTimer::singleShot(0, this, [this, paths, play] { m_import->importPaths(paths, play); });
}

void FilesListView::importFinished(const QStringList &toPlay)
{
    const double seconds = double(QDateTime::currentMSecsSinceEpoch() - m_addStartTime) / 1000.0;
    qDebug() << "获取缩略图消耗毫秒时间：" << seconds;
    loadListFromDb(true, false);
    for (const QString &path : toPlay) {
        const QFileInfo info(path);
        const int row = rowMatching(info.exists() ? info.canonicalFilePath() : path);
        if (row >= 0) {
            clickRow(row, true);
            return;
        }
    }
}

void FilesListView::showNotice(const QString &text)
{
    auto *notice = new HudView(0, text, false, 0, m_mainWindow ? m_mainWindow : this);
    notice->show();
}

// Trips ----------------------------------------------------------------------

void FilesListView::showTripButton()
{
    m_tripsButton->setIcon(
        QIcon(m_tripView ? ":/Resources/PlayTool/tripsOn.png" : ":/Resources/PlayTool/trips.png"));
}

void FilesListView::setTripView(bool on)
{
    m_tripView = on;
    Settings::tripView().set(on ? 1 : 0);
    m_tripsButton->setChecked(on);
    showTripButton();
    loadListFromDb(true, true);
}

int FilesListView::headerRow(int trip) const
{
    for (int row = 0; row < m_listWidget->count(); ++row) {
        QListWidgetItem *item = m_listWidget->item(row);
        if (item->type() == TripItem::Type && tripOfItem(item) == trip)
            return row;
    }
    return -1;
}

TripHeaderRow *FilesListView::tripHeader(int trip)
{
    QListWidgetItem *item = m_listWidget->item(headerRow(trip));
    if (!item)
        return nullptr;
    if (!m_listWidget->itemWidget(item))
        makeRowWidget(item);
    return qobject_cast<TripHeaderRow *>(m_listWidget->itemWidget(item));
}

bool FilesListView::isTripOpen(int trip) const
{
    return trip >= 0 && trip < m_tripPaths.size()
        && m_openTrips.contains(m_tripPaths[trip].value(0));
}

void FilesListView::setTripOpen(int trip, bool open)
{
    if (trip < 0 || trip >= m_tripPaths.size())
        return;
    if (open)
        m_openTrips.insert(m_tripPaths[trip].value(0));
    else
        m_openTrips.remove(m_tripPaths[trip].value(0));
    for (int row = 0; row < m_listWidget->count(); ++row) {
        QListWidgetItem *item = m_listWidget->item(row);
        if (tripOfItem(item) != trip)
            continue;
        if (item->type() == EntryItem::Type)
            item->setHidden(!open);
        else if (auto *header = qobject_cast<TripHeaderRow *>(m_listWidget->itemWidget(item)))
            header->setOpen(open);
    }
    scheduleVisibleRows();
}

void FilesListView::onHeaderClicked(QListWidgetItem *item)
{
    if (item && item->type() == TripItem::Type)
        setTripOpen(tripOfItem(item), !isTripOpen(tripOfItem(item)));
}

void FilesListView::onItemDoubleClicked(QListWidgetItem *item)
{
    if (item && item->type() == TripItem::Type && m_listWidget->isEnabled())
        playTrip(tripOfItem(item));
}

void FilesListView::showTripMenu(const QPoint &pos)
{
    QListWidgetItem *item = m_listWidget->itemAt(pos);
    if (!item || item->type() != TripItem::Type)
        return;
    auto *menu = new QMenu(this);
    menu->setObjectName("tripMenu");
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->setStyleSheet(StyleSheets::panelMenu());
    //: file list trip header menu: play the trip's recordings one after the other
    QAction *play = menu->addAction(tr("Play trip"));
    play->setObjectName("playTripAction");
    // By its first file: the list may be grouped again while the menu is open.
    connect(play, &QAction::triggered, this, [this, key = m_tripPaths.value(tripOfItem(item))] {
        for (int trip = 0; trip < m_tripPaths.size(); ++trip) {
            if (m_tripPaths[trip].value(0) == key.value(0))
                playTrip(trip);
        }
    });
    // The lead files' track, in playing order: the other channels repeat it.
    QList<DbModel> lead;
    for (const QString &path : m_tripPaths.value(tripOfItem(item))) {
        for (int row = 0; row < m_listWidget->count(); ++row) {
            const DbModel *model = modelAt(row);
            if (model && model->path == path) {
                lead.append(*model);
                break;
            }
        }
    }
    const qint64 startMs = m_trips.value(tripOfItem(item)).startMs;
    const QString name = startMs >= 0 ? QStringLiteral("trip-")
            + QDateTime::fromMSecsSinceEpoch(startMs).toString(QStringLiteral("yyyyMMdd-HHmmss"))
                                      : QFileInfo(lead.value(0).fileName).completeBaseName();
    QAction *exportTrack = menu->addAction(tr("Export track…"));
    exportTrack->setObjectName("exportTripAction");
    connect(exportTrack, &QAction::triggered, this,
            [this, lead, name] { emit exportTrackRequested(lead, name); });
    menu->popup(m_listWidget->viewport()->mapToGlobal(pos));
}

void FilesListView::playTrip(int trip)
{
    if (trip < 0 || trip >= m_trips.size())
        return;
    m_tripPlay = TripPlay();
    m_tripPlay.trip = m_trips[trip];
    m_tripPlay.leadPaths = m_tripPaths[trip];
    playTripClip(0);
}

void FilesListView::playTripClip(int index)
{
    m_tripPlay.index = index;
    const QString path = m_tripPlay.leadPaths.value(index);
    for (int row = 0; row < m_listWidget->count(); ++row) {
        const DbModel *model = modelAt(row);
        if (model && model->path == path) {
            // The click handler tells the trip's progress before the group starts.
            clickRow(row, true);
            return;
        }
    }
    endTrip();
}

bool FilesListView::stepTrip(const QString &url, int step)
{
    if (!m_tripPlay.isActive())
        return false;
    const QFileInfo playing(QUrl::fromLocalFile(url).toLocalFile());
    const QFileInfo lead(m_tripPlay.leadPaths[m_tripPlay.index]);
    const auto canonical = [](const QFileInfo &info) {
        return info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
    };
    if (canonical(playing).compare(canonical(lead), Qt::CaseInsensitive) != 0) {
        endTrip();
        return false;
    }
    const int next = m_tripPlay.index + step;
    if (next >= 0 && next < m_tripPlay.leadPaths.size()) {
        playTripClip(next);
        return true;
    }
    // Past its first or last file the neighbouring trip plays, as the flat
    // list wraps round.
    int trip = -1;
    for (int t = 0; t < m_tripPaths.size() && trip < 0; ++t) {
        if (m_tripPaths[t].value(0) == m_tripPlay.key())
            trip = t;
    }
    if (trip < 0) {
        endTrip();
        return false;
    }
    playTrip((trip + step + m_trips.size()) % m_trips.size());
    return true;
}

void FilesListView::endTrip()
{
    m_tripPlay = TripPlay();
    emit tripPlaying(m_tripPlay);
}

QList<DbModel> FilesListView::rowsWithoutClipFacts() const
{
    QList<DbModel> rows;
    for (int row = 0; row < m_listWidget->count(); ++row) {
        const DbModel *model = modelAt(row);
        if (model && !model->hasClip)
            rows.append(*model);
    }
    return rows;
}

void FilesListView::clipFactsStored(const QString &path)
{
    // Marked so they are not asked for again; the facts themselves come with
    // the reload.
    for (int row = 0; row < m_listWidget->count(); ++row) {
        DbModel *model = modelAt(row);
        if (model && model->path == path)
            model->hasClip = true;
    }
    if (m_tripView)
        scheduleRegroup();
}

void FilesListView::scheduleRegroup()
{
    if (m_regroupPending)
        return;
    m_regroupPending = true;
    // Facts of several files arrive close together: one reload for them.
    QTimer::singleShot(RegroupDelayMs, this, [this] {
        m_regroupPending = false;
        if (m_tripView)
            loadListFromDb(true, true);
    });
}
