#pragma once

#include <QWidget>
#include <memory>

class DbModel;
class QLabel;

// One row of the file list: thumbnail, file name, import time, size and a
// delete button. Owns its own copy of the library entry.
class CustomListItem final : public QWidget
{
    Q_OBJECT
public:
    explicit CustomListItem(const DbModel &model, QWidget *parent = nullptr);
    ~CustomListItem() override;

    DbModel *model() const { return m_model.get(); }
    void setSelectedStyle(bool selected);

    // Style rules of every row, set once on the list that holds them.
    static QString rowStyleSheet();
    // The thumbnail file the import made for this entry.
    static QString thumbnailFile(const QString &videoPath);

signals:
    void buttonAction(DbModel *model, CustomListItem *item);

private:
    std::unique_ptr<DbModel> m_model;
    QLabel *m_timeLabel = nullptr;
    QLabel *m_sizeLabel = nullptr;
};
