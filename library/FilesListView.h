#pragma once

#include "library/DbModel.h" // by value in exportTrackRequested
#include "library/TripPlay.h"

#include <QList>
#include <QMap>
#include <QSet>
#include <QStringList>
#include <QVector>
#include <QWidget>

class CustomListItem;
class QDialog;
class ImportFlow;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class TripHeaderRow;

// The library panel: one row per library entry, with a tool bar for settings,
// adding files, clearing the list and sorting. Choosing a row builds the
// recording group (the chosen file and its sibling channels) and announces it
// to the playback area; the panel also answers its next/previous/same
// requests and keeps the list and the database in step. GUI thread only.
class FilesListView final : public QWidget
{
    Q_OBJECT
public:
    FilesListView(QWidget *mainWindow, QWidget *parent = nullptr);
    ~FilesListView() override;

    void setVideoView(QWidget *videoView) { m_videoView = videoView; }
    void loadListFromDb(bool noAutoPlay, bool isResort);

    QListWidget *listWidget() const { return m_listWidget; }
    const QList<DbModel *> &playGroup() const { return m_playGroup; }
    DbModel *currentModel() const { return m_currentModel; }
    int rowCount() const;
    DbModel *modelAt(int row) const;
    // The row's widget, made now if the row has not been on screen yet.
    CustomListItem *rowWidget(int row);

    // Trips: each trip's header row with its recordings under it, folded
    // until its header is clicked. Rows of headers have no model.
    bool isTripView() const { return m_tripView; }
    void setTripView(bool on);
    int tripCount() const { return m_trips.size(); }
    const Trip &trip(int index) const { return m_trips[index]; }
    // The header's row and its widget (made now if need be); -1 / null for no trip.
    int headerRow(int trip) const;
    TripHeaderRow *tripHeader(int trip);
    bool isTripOpen(int trip) const;
    void setTripOpen(int trip, bool open);
    // Plays the trip's lead recordings one after the other, from the first.
    void playTrip(int trip);
    const TripPlay &tripPlay() const { return m_tripPlay; }
    ImportFlow *importFlow() const { return m_import; }
    // Listed rows whose telemetry facts were never stored.
    QList<DbModel> rowsWithoutClipFacts() const;

    // The settings page in its popup, placed over mainWindow, not yet shown;
    // it deletes itself once closed.
    static QDialog *makeSettingsDialog(QWidget *mainWindow);

    // Rows above which a warning precedes the file dialog.
    static constexpr int LongListRows = 700;
    // Trips are grouped again this long after a file's facts were stored.
    static constexpr int RegroupDelayMs = 400;
    // Paths that are not yet in the library (exact comparison), in the order given.
    static QStringList newPaths(const QStringList &picked, const QList<DbModel *> &listed);

signals:
    void starAddFiles();
    void playFinishAllFiles();
    void currentWillPlayList(QList<DbModel *> list);
    void currentWillPlayListForChangePlayer(int type, QList<DbModel *> list);
    void userSelectDelete(bool isDel, bool isAll, DbModel *model = nullptr);
    // The row menu's "Export track…": the recordings to save, in playing
    // order, and a file name (without extension) to offer.
    void exportTrackRequested(QList<DbModel> models, QString suggestedName);
    // Before each group a trip plays, and with an empty play when a single
    // recording is chosen instead.
    void tripPlaying(const TripPlay &play);
    // After a load that left rows without facts.
    void clipFactsMissing(const QList<DbModel> &rows);

public slots:
    void on_listWidget_itemClicked(QListWidgetItem *item);
    void on_listWidget_currentItemChanged(QListWidgetItem *current, QListWidgetItem *previous);
    void on_deleteButton_clicked();
    void on_setButton_clicked();
    void on_pushButton_4_clicked();
    void on_pushButton_2_clicked();
    void checkShowFileNumber();
    void addFilesAction(QStringList fileNames);
    void addFolderClicked();
    // Imports what is not yet in the library among files and folders (from
    // the command line, another start of the program or a drop) and then
    // plays the first recording found.
    void openPaths(const QStringList &paths);

    void playNextOf(const QString &url);
    void playPreviousOf(const QString &url);
    void playSameAs(const QString &url);
    void enableList();
    // The row's menu at pos (list viewport coordinates): an entry that
    // switches the recording to the view it does not have now, and one that
    // exports its track.
    void showRowMenu(const QPoint &pos);
    // A row's facts were stored: trips are grouped again shortly.
    void clipFactsStored(const QString &path);

protected:
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setupForm();
    void retranslate();
    void fillList(QList<DbModel *> entries, bool noAutoPlay, bool isResort);
    DbModel *modelOf(QListWidgetItem *item) const;
    CustomListItem *widgetOf(QListWidgetItem *item) const;
    CustomListItem *makeRowWidget(QListWidgetItem *item);
    void scheduleVisibleRows();
    void makeVisibleRows();
    void clickRow(int row, bool makeCurrent);
    int rowMatching(const QString &url) const;
    void deleteOneEntry(DbModel *model, CustomListItem *row);
    void remapFileName(const QString &fileName);
    // What the render view will show: the user's choice, else the rule with
    // the cached record's payload type (0 while it was never played).
    bool showsPanorama(const DbModel &model) const;
    void choosePanorama(const QString &path, bool panorama);
    void onPlayModelChanged(int type);
    void openAddFilesDialog(const QList<DbModel *> &listed, const QString &lastPath);
    void confirmThen(const QString &text, const std::function<void()> &onSure);
    void importPaths(const QStringList &paths, bool play);
    void importFinished(const QStringList &toPlay);
    void showNotice(const QString &text);
    void addEntryRow(const DbModel &entry,
                     int trip,
                     const QString &currentPath,
                     bool hadCurrent,
                     bool isResort,
                     const QStringList &groupPaths);
    void fillTrips(const QList<DbModel *> &entries,
                   bool descending,
                   const QString &currentPath,
                   bool hadCurrent,
                   bool isResort,
                   const QStringList &groupPaths);
    // The nearest row with a recording from row on, going by step and
    // wrapping round; -1 when there is none.
    int entryRowFrom(int row, int step) const;
    int entryCount() const;
    void onHeaderClicked(QListWidgetItem *item);
    void onItemDoubleClicked(QListWidgetItem *item);
    void showTripMenu(const QPoint &pos);
    void playTripClip(int index);
    // Next or previous clip of the playing trip; false when url is not its clip.
    bool stepTrip(const QString &url, int step);
    void endTrip();
    void scheduleRegroup();
    void showTripButton();

    QWidget *m_videoView = nullptr;
    QList<DbModel *> m_playGroup;
    qint64 m_addStartTime = 0;
    qint64 m_lastDeleteTime = 0;
    DbModel *m_currentModel = nullptr;
    QWidget *m_toolBar = nullptr;
    QPushButton *m_setButton = nullptr;
    QPushButton *m_addButton = nullptr;
    QPushButton *m_addFolderButton = nullptr;
    QPushButton *m_deleteButton = nullptr;
    QPushButton *m_sortButton = nullptr;
    QPushButton *m_tripsButton = nullptr;
    QListWidget *m_listWidget = nullptr;
    QWidget *m_mainWindow = nullptr;
    QMap<QString, DbModel *> m_modelsByFileName;
    QListWidgetItem *m_lastClickedItem = nullptr;
    bool m_sortReady = true;
    bool m_visibleRowsPending = false;
    bool m_tripView = false;
    bool m_regroupPending = false;
    QVector<Trip> m_trips; // in list order
    QVector<QStringList> m_tripPaths; // each trip's lead files in playing order
    QSet<QString> m_openTrips; // by their first lead file
    TripPlay m_tripPlay;
    ImportFlow *m_import = nullptr;
};
