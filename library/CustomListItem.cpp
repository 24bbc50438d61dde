#include "library/CustomListItem.h"

#include "app/Helpers.h"
#include "controls/Palette.h"
#include "controls/StyleSheets.h"
#include "library/DbModel.h"

#include <QDebug>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

CustomListItem::CustomListItem(DbModel *model, QWidget *parent)
    : QWidget(parent)
    , m_model(model)
{
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);

    auto *thumbnail = new QLabel(this);
    thumbnail->setFixedSize(58, 58);
    const QString thumbFile = m_model->thumbnailFile();
    thumbnail->setObjectName("thumbnail");
    thumbnail->setPixmap(QFileInfo::exists(thumbFile) ? QPixmap(thumbFile) : missingThumbnail());
    row->addWidget(thumbnail);

    auto *right = new QWidget(this);
    right->setObjectName("widgetRight");
    auto *column = new QVBoxLayout(right);
    column->setContentsMargins(5, 9, 5, 9);
    column->setSpacing(0);
    auto *name = new QLabel(m_model->fileName, right);
    name->setObjectName("label1");
    column->addWidget(name);
    auto *middle = new QWidget(right);
    middle->setObjectName("widgetM");
    auto *facts = new QHBoxLayout(middle);
    facts->setContentsMargins(0, 0, 0, 0);
    m_timeLabel = new QLabel(
        reformatDateTime(m_model->time, "yyyyMMddhhmmsszzz", "yyyy-MM-dd HH:mm:ss"), middle);
    m_timeLabel->setObjectName("label2");
    m_sizeLabel = new QLabel(m_model->size + "MB", middle);
    m_sizeLabel->setObjectName("label3");
    facts->addWidget(m_timeLabel, 10);
    // Only counts stored with the cached record: the list reads no file.
    if (m_model->eventCount > 0) {
        auto *badge = new QLabel(QString::number(m_model->eventCount), middle);
        badge->setObjectName("eventBadge");
        badge->setAlignment(Qt::AlignCenter);
        badge->setToolTip(tr("Driving events: %1").arg(m_model->eventCount));
        facts->addWidget(badge, 0);
    }
    facts->addWidget(m_sizeLabel, 3);
    column->addWidget(middle);
    row->addWidget(right, 1);

    auto *deleteButton = new QPushButton(this);
    deleteButton->setFixedSize(40, 40);
    deleteButton->setIcon(QIcon(":/Resources/PlayTool/close.png"));
    deleteButton->setFocusPolicy(Qt::NoFocus);
    connect(deleteButton, &QPushButton::clicked, this,
            [this] { emit buttonAction(m_model, this); });
    row->addWidget(deleteButton);
    setSelectedStyle(false);
}

CustomListItem::~CustomListItem() = default;

QString CustomListItem::rowStyleSheet()
{
    const QColor foreground = Palette::panelForeground();
    const QColor dimmed(0x5f, 0x63, 0x67);
    return QStringLiteral(
               "CustomListItem, CustomListItem QWidget { background-color: transparent; border: "
               "none; }"
               "CustomListItem QLabel#label1 { %1 }"
               "CustomListItem QLabel#label2, CustomListItem QLabel#label3 { %2 }"
               "CustomListItem QLabel#eventBadge { background-color: %4; color: %3;"
               " border-radius: 7px; padding: 0px 5px; font-size: 10px; min-height: 14px; }"
               "CustomListItem[selected=\"true\"] QLabel#label2,"
               " CustomListItem[selected=\"true\"] QLabel#label3 { color: %3; }")
        .arg(StyleSheets::text(foreground, 13), StyleSheets::text(dimmed, 12),
             Palette::css(foreground), Palette::css(Palette::eventMark(3)));
}

QPixmap CustomListItem::missingThumbnail()
{
    // No picture could be made (no ffmpeg, or no writable app-data folder):
    // a stand-in keeps the row from looking broken.
    QPixmap picture;
    if (QPixmapCache::find(QStringLiteral("kelmora-missing-thumbnail"), &picture))
        return picture;
    picture = QPixmap(58, 58);
    picture.fill(QColor(0x3a, 0x3c, 0x40));
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(QRect(17, 17, 24, 24), QPixmap(":/Resources/PlayTool/play.png"));
    painter.end();
    QPixmapCache::insert(QStringLiteral("kelmora-missing-thumbnail"), picture);
    return picture;
}

void CustomListItem::setSelectedStyle(bool selected)
{
    qDebug() << "文件被选中1112";
    // Colours come from the list's one style sheet (rowStyleSheet), keyed on
    // this property: a sheet per row costs seconds for a large library.
    setProperty("selected", selected);
    for (QLabel *label : {m_timeLabel, m_sizeLabel}) {
        label->style()->unpolish(label);
        label->style()->polish(label);
    }
}
