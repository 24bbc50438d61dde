#pragma once

#include <QPixmap>
#include <QWidget>

class DbModel;
class QLabel;

// One row of the file list: thumbnail, file name, import time, size and a
// delete button. The entry belongs to the list's row and outlives this widget.
class CustomListItem final : public QWidget
{
    Q_OBJECT
public:
    explicit CustomListItem(DbModel *model, QWidget *parent = nullptr);
    ~CustomListItem() override;

    DbModel *model() const { return m_model; }
    void setSelectedStyle(bool selected);

    // Style rules of every row, set once on the list that holds them.
    static QString rowStyleSheet();
    // What the row shows when that file is missing.
    static QPixmap missingThumbnail();

signals:
    void buttonAction(DbModel *model, CustomListItem *item);

private:
    DbModel *m_model = nullptr;
    QLabel *m_timeLabel = nullptr;
    QLabel *m_sizeLabel = nullptr;
};
