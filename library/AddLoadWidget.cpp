#include "library/AddLoadWidget.h"

#include "app/AppManager.h"
#include "app/Helpers.h"
#include "controls/HudView.h"
#include "controls/Palette.h"
#include "controls/StyleSheets.h"
#include "library/CmdModel.h"
#include "library/DbManager.h"
#include "library/DbModel.h"
#include "library/MyThread.h"

#include <QDateTime>
#include <QDebug>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlError>
#include <QVBoxLayout>

AddLoadWidget::AddLoadWidget(const QString &title, const QStringList &files, QWidget *parent)
    : QWidget(parent)
    , m_files(files)
    , m_totalCount(files.size())
{
    buildForm(title);
    m_connectLable->setText(tr("Please wait: %1/%2", "加载进度").arg(0).arg(m_totalCount));
    // Read back with the C locale's digits (CustomListItem).
    m_importTime
        = QLocale::c().toString(QDateTime::currentDateTime(), QStringLiteral("yyyyMMddhhmmsszzz"));

    connect(m_cancelButton, &QPushButton::clicked, this, &AddLoadWidget::on_cancelButton_clicked);
    startBatch();
}

void AddLoadWidget::startBatch()
{
    qDebug() << "准备开启获取缩略图线程";
    m_thread.reset(new MyThread(m_files.mid(m_batchStart, BatchSize)));
    connect(m_thread.get(), &MyThread::taskFinishedForThumbPictrue, this,
            &AddLoadWidget::onThumbnailDone);
    connect(m_thread.get(), &QThread::finished, this, &AddLoadWidget::CurrentThreadFinished);
    m_thread->start();
}

AddLoadWidget::~AddLoadWidget()
{
    qDebug() << "AddLoadWidget销毁";
    // A thread still running (panel closed without cancel) is stopped by its
    // owner, m_thread, which never deletes it while it runs.
}

void AddLoadWidget::buildForm(const QString &title)
{
    setObjectName(QStringLiteral("AddLoadWidget"));
    setWindowTitle(tr("Form"));
    resize(300, 179);
    setFixedSize(300, 179);
    setMinimumWidth(300);
    setAttribute(Qt::WA_TranslucentBackground);

    auto *verticalLayout = new QVBoxLayout(this);
    verticalLayout->setObjectName(QStringLiteral("verticalLayout"));
    verticalLayout->setSpacing(0);
    verticalLayout->setContentsMargins(0, 0, 0, 0);

    auto *widget = new QWidget(this);
    widget->setObjectName(QStringLiteral("widget"));
    auto *verticalLayout2 = new QVBoxLayout(widget);
    verticalLayout2->setObjectName(QStringLiteral("verticalLayout_2"));
    verticalLayout2->setSpacing(10);
    verticalLayout2->setContentsMargins(20, 20, 20, 0);

    m_titleLabel = new QLabel(title, widget);
    m_titleLabel->setObjectName(QStringLiteral("titleLabel"));
    m_titleLabel->setFixedHeight(30);
    QFont bold = m_titleLabel->font();
    bold.setBold(true);
    m_titleLabel->setFont(bold);
    m_titleLabel->setStyleSheet(StyleSheets::fontSize(16));
    m_titleLabel->setAlignment(Qt::AlignCenter);

    m_progressBar = new QProgressBar(widget);
    m_progressBar->setObjectName(QStringLiteral("progressBar"));
    m_progressBar->setFixedHeight(8);
    m_progressBar->setValue(0);
    m_progressBar->setTextVisible(false);
    m_progressBar->setStyleSheet(
        QStringLiteral("QProgressBar { border: none; border-radius: 4px; background: %1; }"
                       "QProgressBar::chunk { border-radius: 4px; background: %2; }")
            .arg(Palette::css(Palette::trackBackground()), Palette::css(Palette::accent())));

    m_connectLable = new QLabel(tr("Please wait: 0/0"), widget);
    m_connectLable->setObjectName(QStringLiteral("connectLable"));
    m_connectLable->setFixedHeight(30);
    m_connectLable->setStyleSheet(StyleSheets::fontSize(15));
    m_connectLable->setAlignment(Qt::AlignCenter);

    auto *line = new QLabel(widget);
    line->setObjectName(QStringLiteral("label"));
    line->setFixedHeight(1);
    line->setPixmap(QPixmap(QStringLiteral(":/Resources/PlayTool/line.png")));
    line->setScaledContents(true);

    verticalLayout2->addWidget(m_titleLabel);
    verticalLayout2->addWidget(m_progressBar);
    verticalLayout2->addWidget(m_connectLable);
    verticalLayout2->addWidget(line);

    auto *widget2 = new QWidget(this);
    widget2->setObjectName(QStringLiteral("widget2"));
    widget2->setFixedHeight(50);
    auto *horizontalLayout = new QHBoxLayout(widget2);
    horizontalLayout->setObjectName(QStringLiteral("horizontalLayout"));
    m_cancelButton = new QPushButton(widget2);
    m_cancelButton->setObjectName(QStringLiteral("cancelButton"));
    m_cancelButton->setStyleSheet(StyleSheets::noBorder());
    m_cancelButton->setIcon(QIcon(QStringLiteral(":/Resources/PlayTool/cancel.png")));
    m_cancelButton->setIconSize(QSize(60, 30));
    horizontalLayout->addWidget(m_cancelButton);

    verticalLayout->addWidget(widget);
    verticalLayout->addWidget(widget2);
}

void AddLoadWidget::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Palette::popupBackground());
    painter.drawRoundedRect(rect(), 15, 15);
    QWidget::paintEvent(event);
}

void AddLoadWidget::onThumbnailDone(bool isOk, const QString &url, int sort)
{
    if (m_cancelled)
        return;
    if (!isOk)
        qDebug() << "接收到一个失败的：" + QString::number(sort) + "  " + "文件名：" + url;
    createConnectText(m_totalCount, m_batchStart + sort);
}

void AddLoadWidget::createConnectText(int num, int sort)
{
    m_connectLable->setText(tr("Please wait: %1/%2", "加载进度").arg(sort).arg(num));
    if (num > 0)
        m_progressBar->setValue(int(double(sort) / num * 100));
}

void AddLoadWidget::on_cancelButton_clicked()
{
    if (m_cancelled)
        return;
    m_cancelled = true;
    m_cancelButton->setEnabled(false);
    // The workers drop their decodes at the next read or packet; the bound
    // only guards against a stuck one. Completion follows on finished().
    m_thread->requestInterruption();
    m_thread->quit();
    m_thread->wait(1000);
}

void AddLoadWidget::CurrentThreadFinished()
{
    qDebug() << "MyThread sended finish signal";
    const QStringList files = m_thread->thumbnailOkFiles;
    m_thread->thumbnailOkFiles.clear();
    completeBatch(files);
}

QMap<QString, QString> AddLoadWidget::rowFor(const QString &path, const QString &importTime)
{
    DbModel model;
    model.fileName = QFileInfo(path).fileName();
    model.size = fileSizeText(path, 2);
    model.path = path;
    model.time = importTime;
    model.width = QStringLiteral("0");
    model.height = QStringLiteral("0");
    // Whether it is panoramic depends on its telemetry, read on first play.
    model.is3DVideo = false;
    model.thumbnail = CmdModel::thumbnailName(path);
    return model.toDbMap();
}

void AddLoadWidget::completeBatch(const QStringList &files)
{
    if (m_completed) {
        qDebug() << "线程重复完成完成完成完成完成完成完成完成完成";
        return;
    }
    qDebug() << "本次新获取缩略图文件数量:" << files.size();
    AppManager::instance()->logThreadInfo(3, QStringLiteral("缩略图线程任务完成信息检测线程情况"));

    for (const QString &path : files)
        m_wantedCount += !path.isEmpty() && fileExists(path);
    const int stored = storeRows(files);
    m_storedCount += stored;
    m_noToolCount += m_thread->noToolFiles.size();
    m_failures += m_thread->failedFiles;
    emit batchStored(stored);

    m_batchStart += BatchSize;
    if (!m_cancelled && m_batchStart < m_totalCount) {
        startBatch();
        return;
    }
    completeImport();
}

void AddLoadWidget::completeImport()
{
    m_completed = true;
    showNotice(m_wantedCount, m_noToolCount);
    qDebug() << "AddLoadWidget sendLoadingCompleted";
    emit sendLoadingCompleted();
}

int AddLoadWidget::storeRows(const QStringList &files)
{
    // One transaction for the batch: a crash stores either all of its
    // finished files or none of them.
    DbManager *store = DbManager::instance();
    // Never reopen here a store the manager found unusable and left closed.
    QSqlDatabase db = QSqlDatabase::database(QLatin1String(QSqlDatabase::defaultConnection), false);
    const bool inTransaction = db.isOpen() && db.transaction();
    int stored = 0;
    for (const QString &path : files) {
        qDebug() << "开始循环";
        if (path.isEmpty())
            continue;
        qDebug() << "开始打印url";
        qDebug() << "配置数据库数据:" + path;
        if (!fileExists(path))
            continue;
        qDebug() << "inster DbModel db star";
        stored += store->insertData(DbTableKind::LoadFiles, rowFor(path, m_importTime));
        qDebug() << "inster DbModel db end";
    }
    if (inTransaction && !db.commit()) {
        qWarning() << "import batch not stored:" << db.lastError().text();
        db.rollback();
        stored = 0;
    }
    return stored;
}

void AddLoadWidget::showNotice(int wanted, int withoutThumbnail)
{
    // A store that cannot be written loses the files whose thumbnails failed
    // for the same reason: the whole batch is reported, not only the rows.
    const bool cannotSave = DbManager::instance()->openState() == DbManager::OpenState::CannotSave;
    if (m_storedCount < wanted || (cannotSave && m_totalCount > m_storedCount)) {
        m_noticeText = tr("The library cannot be saved: %1 of %2 files were not added.")
                           .arg(m_totalCount - m_storedCount)
                           .arg(m_totalCount);
        qWarning().noquote() << "import failed:" << m_totalCount - m_storedCount << "of"
                             << m_totalCount << "files not stored";
    } else if (withoutThumbnail > 0) {
        m_noticeText = tr("ffmpeg was not found: files were added without thumbnails.");
    }
    if (m_noticeText.isEmpty())
        return;
    // Shown over the main window, which outlives this panel and its layer.
    auto *notice = new HudView(0, m_noticeText, false, 0);
    notice->setObjectName(QStringLiteral("importNotice"));
    notice->show();
}
