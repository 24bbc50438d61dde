#include "settings/SetWidget.h"

#include "app/AppManager.h"
#include "app/Helpers.h"
#include "app/Settings.h"
#include "controls/HudView.h"
#include "controls/Palette.h"
#include "controls/StyleSheets.h"
#include "telemetry/TelemetryText.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDate>
#include <QDebug>
#include <QDialog>
#include <QDoubleValidator>
#include <QEvent>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
constexpr char kVersion[] = "3.0.2";
constexpr int kLanguageCount = 10;
constexpr int kEnglish = 2;

// Catalogue keys of the language list, by language number - 1, and the name of
// each language in its own script. The catalogues translate every key to that
// name; the fallback covers a catalogue that does not (or none installed).
struct LanguageName
{
    const char *key;
    const char *ownName;
};
const LanguageName kLanguageNames[kLanguageCount] = {
    {QT_TRANSLATE_NOOP("SetWidget", "China"), "简体中文"},
    {QT_TRANSLATE_NOOP("SetWidget", "English"), "English"},
    {QT_TRANSLATE_NOOP("SetWidget", "French"), "Français"},
    {QT_TRANSLATE_NOOP("SetWidget", "Deutsch"), "Deutsch"},
    {QT_TRANSLATE_NOOP("SetWidget", "Italiano"), "Italiano"},
    {QT_TRANSLATE_NOOP("SetWidget", "Japan"), "日本語"},
    {QT_TRANSLATE_NOOP("SetWidget", "Korean"), "한국어"},
    {QT_TRANSLATE_NOOP("SetWidget", "POLISH"), "Polski"},
    {QT_TRANSLATE_NOOP("SetWidget", "Russian"), "Русский"},
    {QT_TRANSLATE_NOOP("SetWidget", "Spanish"), "Español"},
};

// Object name and source text of every widget that shows fixed words. The
// catalogues space a choice's words from its icon with leading blanks; a
// source without them takes those of the translation of spacedLike.
struct FormText
{
    const char *object;
    const char *source;
    const char *spacedLike = nullptr;
};
const FormText kFormTexts[] = {
    {"speedLabel", QT_TRANSLATE_NOOP("SetWidget", "速度单位")},
    {"speedButonnKMH", QT_TRANSLATE_NOOP("SetWidget", "  KMH")},
    {"speedButonnPMH", QT_TRANSLATE_NOOP("SetWidget", "  PMH")},
    {"LongOrLat", QT_TRANSLATE_NOOP("SetWidget", "经纬度")},
    {"LongOrLatType", QT_TRANSLATE_NOOP("SetWidget", "  度/分/秒")},
    {"LongOrLatTypeOne", QT_TRANSLATE_NOOP("SetWidget", "  小数点显示")},
    {"mapLabel", QT_TRANSLATE_NOOP("SetWidget", "地图")},
    {"mapType", QT_TRANSLATE_NOOP("SetWidget", "  Google Map")},
    {"mapTypeOne", QT_TRANSLATE_NOOP("SetWidget", "  百度地图")},
    {"mapTypeTwo", QT_TRANSLATE_NOOP("SetWidget", "OpenStreetMap"), "  Google Map"},
    {"mapKeyLabel", QT_TRANSLATE_NOOP("SetWidget", "Key")},
    {"playModel", QT_TRANSLATE_NOOP("SetWidget", "播放模式")},
    {"playModelOne", QT_TRANSLATE_NOOP("SetWidget", "  单路播放")},
    {"playModelTwo", QT_TRANSLATE_NOOP("SetWidget", "  双路播放")},
    {"playModelThree", QT_TRANSLATE_NOOP("SetWidget", "  三路播放")},
    {"playModelFour", QT_TRANSLATE_NOOP("SetWidget", "  四路播放")},
    {"playModelText", QT_TRANSLATE_NOOP("SetWidget", "注意：多路播放可能会号致电脑运行速度交慢。")},
    {"playerTypeTitle", QT_TRANSLATE_NOOP("SetWidget", "播放性能")},
    {"playerTypeButtonOne", QT_TRANSLATE_NOOP("SetWidget", " 性能优先")},
    {"playerTypeButtonTwo", QT_TRANSLATE_NOOP("SetWidget", "流畅优先")},
    {"speedLabel_2", QT_TRANSLATE_NOOP("SetWidget", "语言")},
    {"savePathLableTitle", QT_TRANSLATE_NOOP("SetWidget", "文件保存路径")},
    {"savePathLabel", QT_TRANSLATE_NOOP("SetWidget", "设置保存路径")},
    {"appName", QT_TRANSLATE_NOOP("SetWidget", "KELMORA PLAYER")},
    {"eventsTitle", QT_TRANSLATE_NOOP("SetWidget", "Driving events")},
    {"brakingLimitLabel", QT_TRANSLATE_NOOP("SetWidget", "Braking (g)")},
    {"accelerationLimitLabel", QT_TRANSLATE_NOOP("SetWidget", "Acceleration (g)")},
    {"turnLimitLabel", QT_TRANSLATE_NOOP("SetWidget", "Turn (g)")},
    {"impactLimitLabel", QT_TRANSLATE_NOOP("SetWidget", "Impact (g)")},
    {"speedLimitLabel", QT_TRANSLATE_NOOP("SetWidget", "Speed limit")},
};

// The G-sensor limits of the events section, two to a row.
struct GLimit
{
    const char *object;
    SettingValue<double> (*setting)();
};
const GLimit kGLimits[] = {
    {"brakingLimit", &Settings::brakingLimitG},
    {"accelerationLimit", &Settings::accelerationLimitG},
    {"turnLimit", &Settings::turnLimitG},
    {"impactLimit", &Settings::impactLimitG},
};
// Rows below the events section move down by its height.
constexpr int kEventsHeight = 146;

// Every declaration inside its rule: stray ones between rules are not style
// sheet syntax, and the parser skips what follows them.
QString comboStyle()
{
    return QStringLiteral(
               "QComboBox { border: none; color: %1; }"
               "QComboBox::down-arrow { image: url(:/Resources/PlayTool/xiangxia.png); }")
        .arg(Palette::css(Palette::popupText()));
}

QString leadingBlanks(const QString &text)
{
    int count = 0;
    while (count < text.size() && text.at(count) == QLatin1Char(' '))
        ++count;
    return text.left(count);
}

// Numbers with a dot in every language: the settings store reads them so.
QValidator *numbers(QObject *parent, double top, int decimals)
{
    auto *validator = new QDoubleValidator(0, top, decimals, parent);
    validator->setNotation(QDoubleValidator::StandardNotation);
    validator->setLocale(QLocale::c());
    return validator;
}

constexpr int kLeft = 30;
constexpr int kRowWidth = 470;
constexpr int kCancelLeft = 530 - 50;
// Least room between one choice's words and the next choice's icon.
constexpr int kChoiceGap = 16;
// The play-mode choices, one to four channels.
const char *const kPlayModes[]
    = {"playModelOne", "playModelTwo", "playModelThree", "playModelFour"};
// Rows of choices set in columns; the columns give way to longer words.
const QVector<const char *> kChoiceRows[] = {
    {"speedButonnKMH", "speedButonnPMH"},
    {"LongOrLatType", "LongOrLatTypeOne"},
    {"mapType", "mapTypeOne", "mapTypeTwo"},
    {"playerTypeButtonOne", "playerTypeButtonTwo"},
};
} // namespace

SetWidget::SetWidget(QWidget *parent)
    : QWidget(parent)
{
    buildForm();
    setStyleSheet(StyleSheets::fontRules(StyleSheets::pageFamily()));
    fillLanguages();
    checkCurrentChoices();
    showSavedFolder();
    showEventLimits();
    retranslateUi();
    QMetaObject::connectSlotsByName(this);
    m_initialised = true;
}

SetWidget::~SetWidget()
{
    qDebug() << "SetWidget销毁";
}

QString SetWidget::aboutText()
{
    return tr("Version: %1").arg(kVersion) + "\n" + tr("Website: www.kelmora.example") + "\n"
        + tr("Technical support: support@kelmora.example") + "\n"
        + tr("Copyright © %1 Kelmora. All rights reserved.").arg(QDate::currentDate().year());
}

QString SetWidget::languageName(int number)
{
    if (number < 1 || number > kLanguageCount)
        return QString();
    const LanguageName &entry = kLanguageNames[number - 1];
    const QString translated = tr(entry.key);
    return translated == QLatin1String(entry.key) ? QString::fromUtf8(entry.ownName) : translated;
}

void SetWidget::buildForm()
{
    setObjectName("SetWidget");
    setFixedSize(530, 816 + kEventsHeight);

    auto *speedGroup = new QButtonGroup(this);
    speedGroup->setObjectName("buttonGroup");
    auto *coordGroup = new QButtonGroup(this);
    coordGroup->setObjectName("buttonGroup_2");
    auto *mapGroup = new QButtonGroup(this);
    mapGroup->setObjectName("buttonGroup_3");
    auto *modeGroup = new QButtonGroup(this);
    modeGroup->setObjectName("buttonGroup_4");
    m_playerTypeGroup = new QButtonGroup(this);
    m_playerTypeGroup->setObjectName("buttonGroup_5");

    addHeading("speedLabel", 20);
    addChoice("speedButonnKMH", speedGroup, kLeft, 52, 150);
    addChoice("speedButonnPMH", speedGroup, 260, 52, 150);
    addLine("line", 88);

    addHeading("LongOrLat", 98);
    addChoice("LongOrLatType", coordGroup, kLeft, 130, 150);
    addChoice("LongOrLatTypeOne", coordGroup, 260, 130, 150);
    addLine("line_2", 166);

    // Three services share the row: thirds of it, wide enough for the longest
    // name in every language.
    addHeading("mapLabel", 176);
    addChoice("mapType", mapGroup, kLeft, 208, 150);
    addChoice("mapTypeOne", mapGroup, 190, 208, 150);
    addChoice("mapTypeTwo", mapGroup, 350, 208, 150);
    m_mapKeyLabel = new QLabel(this);
    m_mapKeyLabel->setObjectName("mapKeyLabel");
    m_mapKeyLabel->setStyleSheet(StyleSheets::fontSize(12));
    m_mapKeyLabel->setGeometry(kLeft, 242, 74, 28);
    m_mapKeyEdit = new QLineEdit(this);
    m_mapKeyEdit->setObjectName("mapKeyEdit");
    m_mapKeyEdit->setStyleSheet(StyleSheets::darkField(12));
    // Placeholder words in the field's own light colour, dimmed.
    QPalette keyColours = m_mapKeyEdit->palette();
    keyColours.setColor(QPalette::PlaceholderText,
                        Palette::withAlpha(Palette::panelForeground(), 128));
    m_mapKeyEdit->setPalette(keyColours);
    m_mapKeyEdit->setGeometry(kLeft + 80, 242, kRowWidth - 80, 28);
    addLine("line_3", 280);

    addHeading("playModel", 290);
    for (int i = 0; i < 4; ++i)
        addChoice(kPlayModes[i], modeGroup, kLeft + i * 118, 322, 115);
    auto *note = new QLabel(this);
    note->setObjectName("playModelText");
    note->setStyleSheet(StyleSheets::text(Palette::withAlpha(Palette::popupText(), 127), 10));
    note->setWordWrap(true);
    note->setGeometry(kLeft, 350, kRowWidth, 30);
    addLine("line_4", 388);

    addHeading("playerTypeTitle", 398);
    addChoice("playerTypeButtonOne", m_playerTypeGroup, kLeft, 430, 150);
    addChoice("playerTypeButtonTwo", m_playerTypeGroup, 260, 430, 150);
    addLine("line_5", 466);

    addHeading("eventsTitle", 476);
    for (int i = 0; i < 4; ++i) {
        const int x = kLeft + (i % 2) * 240;
        const int y = 508 + (i / 2) * 34;
        addField(kGLimits[i].object, x, y)->setValidator(numbers(this, 16, 2));
    }
    m_speedLimitEdit = addField("speedLimit", kLeft, 576);
    m_speedLimitEdit->setValidator(numbers(this, 999, 0));
    m_speedLimitUnit = new QLabel(this);
    m_speedLimitUnit->setObjectName("speedLimitUnit");
    m_speedLimitUnit->setStyleSheet(StyleSheets::fontSize(12));
    m_speedLimitUnit->setGeometry(kLeft + 226, 576, 60, 28);
    addLine("line_events", 466 + kEventsHeight);

    addHeading("speedLabel_2", 476 + kEventsHeight);
    m_comboBox = new QComboBox(this);
    m_comboBox->setObjectName("comboBox");
    m_comboBox->setGeometry(kLeft, 510 + kEventsHeight, 200, 28);
    addLine("line_6", 548 + kEventsHeight);

    addHeading("savePathLableTitle", 558 + kEventsHeight);
    auto *background = new QLabel(this);
    background->setObjectName("backgroundImage");
    background->setPixmap(QPixmap(":/Resources/PlayTool/link.png"));
    background->setGeometry(kLeft, 592 + kEventsHeight, 380, 32);
    m_savePathLabel = new QLabel(this);
    m_savePathLabel->setObjectName("savePathLabel");
    // White on the dark field of the picture behind it.
    m_savePathLabel->setStyleSheet(StyleSheets::text(Palette::panelForeground(), 12));
    m_savePathLabel->setGeometry(kLeft + 10, 592 + kEventsHeight, 360, 32);
    m_savePathLabel->setContextMenuPolicy(Qt::NoContextMenu);
    m_savePathLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_openPathButton = new QPushButton(this);
    m_openPathButton->setObjectName("openPathButton");
    m_openPathButton->setIcon(QIcon(":/Resources/PlayTool/show link.png"));
    m_openPathButton->setIconSize(QSize(32, 32));
    m_openPathButton->setStyleSheet(StyleSheets::noBorder());
    m_openPathButton->setGeometry(kLeft + 390, 592 + kEventsHeight, 32, 32);
    addLine("line_7", 640 + kEventsHeight);

    auto *appName = new QLabel(this);
    appName->setObjectName("appName");
    appName->setStyleSheet(StyleSheets::fontSize(16) + " font-weight: bold;");
    appName->setGeometry(kLeft, 652 + kEventsHeight, kRowWidth, 28);
    addLine("line_8", 686 + kEventsHeight);
    m_appConnect = new QLabel(this);
    m_appConnect->setObjectName("appConnect");
    m_appConnect->setStyleSheet(
        StyleSheets::text(Palette::withAlpha(Palette::popupText(), 178), 12));
    m_appConnect->setGeometry(kLeft, 696 + kEventsHeight, kRowWidth, 100);
    m_appConnect->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_appConnect->setContextMenuPolicy(Qt::NoContextMenu);
    m_appConnect->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *cancel = new QPushButton(this);
    cancel->setObjectName("CancelButton");
    cancel->setIcon(QIcon(":/Resources/PlayTool/cancel.png"));
    cancel->setIconSize(QSize(32, 32));
    cancel->setStyleSheet(StyleSheets::noBorder());
    cancel->setGeometry(kCancelLeft, 10, 40, 40);

    // Return confirms the key field; in the dialog it must not also press a
    // button (the folder chooser would open).
    for (QPushButton *button : findChildren<QPushButton *>())
        button->setAutoDefault(false);
}

QLabel *SetWidget::addHeading(const char *name, int y)
{
    auto *label = new QLabel(this);
    label->setObjectName(name);
    label->setStyleSheet(StyleSheets::fontSize(16));
    // The whole row, short of the close button beside the first heading.
    const int right = y < 50 ? kCancelLeft - 8 : kLeft + kRowWidth;
    label->setGeometry(kLeft, y, right - kLeft, 26);
    return label;
}

QPushButton *SetWidget::addChoice(const char *name, QButtonGroup *group, int x, int y, int width)
{
    auto *button = new QPushButton(this);
    button->setObjectName(name);
    button->setCheckable(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setStyleSheet(StyleSheets::borderlessText(12));
    QIcon icon;
    icon.addFile(":/Resources/PlayTool/selecting.png", QSize(), QIcon::Normal, QIcon::Off);
    icon.addFile(":/Resources/PlayTool/selected.png", QSize(), QIcon::Normal, QIcon::On);
    button->setIcon(icon);
    button->setGeometry(x, y, width, 26);
    button->setProperty("column", x);
    group->addButton(button);
    return button;
}

// A label of fixed words and a short dark number field after it.
QLineEdit *SetWidget::addField(const char *name, int x, int y)
{
    auto *label = new QLabel(this);
    label->setObjectName(QLatin1String(name) + QLatin1String("Label"));
    label->setStyleSheet(StyleSheets::fontSize(12));
    label->setGeometry(x, y, 150, 28);
    auto *edit = new QLineEdit(this);
    edit->setObjectName(name);
    edit->setStyleSheet(StyleSheets::darkField(12));
    edit->setGeometry(x + 156, y, 64, 28);
    connect(edit, &QLineEdit::editingFinished, this, &SetWidget::saveEventLimits);
    return edit;
}

QLabel *SetWidget::addLine(const char *name, int y)
{
    auto *line = new QLabel(this);
    line->setObjectName(name);
    line->setPixmap(QPixmap(":/Resources/PlayTool/line.png"));
    line->setScaledContents(true);
    line->setGeometry(kLeft, y, kRowWidth, 1);
    return line;
}

void SetWidget::fillLanguages()
{
    for (int number = 1; number <= kLanguageCount; ++number)
        m_comboBox->addItem(languageName(number));
    // A number outside the list (possible through setLanguage) runs on the
    // English catalogue, so English is what the list shows.
    const int saved = AppManager::instance()->savedLanguage();
    m_comboBox->setCurrentIndex((saved >= 1 && saved <= kLanguageCount ? saved : kEnglish) - 1);
    m_comboBox->setStyleSheet(comboStyle());
}

void SetWidget::checkCurrentChoices()
{
    const AppManager *app = AppManager::instance();
    const auto check
        = [this](const char *name) { findChild<QPushButton *>(name)->setChecked(true); };
    check(app->speedUnitType() == SpeedUnit::MilesPerHour ? "speedButonnPMH" : "speedButonnKMH");
    check(app->longOrLatType() == CoordinateFormat::DecimalDegrees ? "LongOrLatTypeOne"
                                                                   : "LongOrLatType");
    const MapType map = app->mapType();
    check(map == MapType::OpenStreetMap ? "mapTypeTwo"
              : map == MapType::Baidu   ? "mapTypeOne"
                                        : "mapType");
    showMapKey();
    check(app->playerType() != PlayerType::OpenGL ? "playerTypeButtonTwo" : "playerTypeButtonOne");
    const int mode = choiceNumber(app->playModelType());
    check(kPlayModes[mode >= 0 && mode <= 2 ? mode : 3]);
}

void SetWidget::retranslateUi()
{
    setWindowTitle(tr("Form"));
    for (const FormText &text : kFormTexts) {
        if (QWidget *widget = findChild<QWidget *>(text.object)) {
            QString words = tr(text.source);
            if (text.spacedLike)
                words.prepend(leadingBlanks(tr(text.spacedLike)));
            if (auto *label = qobject_cast<QLabel *>(widget))
                label->setText(words);
            else if (auto *button = qobject_cast<QPushButton *>(widget)) {
                button->setText(words);
                // Flat buttons centre their content: sized to it, the icons of
                // a column line up at the button's left edge in every language.
                button->resize(button->sizeHint().width(), button->height());
            }
        }
    }
    spreadPlayModes();
    for (const auto &row : kChoiceRows)
        flowChoices(row);
    m_openPathButton->setToolTip(tr("选择路径"));
    m_mapKeyEdit->setPlaceholderText(tr("Without a key the map shows OpenStreetMap"));
    m_speedLimitEdit->setToolTip(tr("0 turns speeding events off"));
    for (int number = 1; number <= kLanguageCount; ++number)
        m_comboBox->setItemText(number - 1, languageName(number));
    m_appConnect->setText(aboutText());
    showSavedFolder();
}

void SetWidget::showSavedFolder()
{
    const QString folder = Settings::saveFolder().get();
    if (!folder.isEmpty())
        m_savePathLabel->setText(folder);
}

void SetWidget::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QWidget::changeEvent(event);
}

// The popup closes on a click outside it, which need not take the focus from
// the key field: what was typed is kept all the same.
void SetWidget::hideEvent(QHideEvent *event)
{
    saveMapKey();
    saveEventLimits();
    QWidget::hideEvent(event);
}

void SetWidget::on_openPathButton_clicked()
{
    // Disabled while the dialog runs so a second click cannot open another.
    m_openPathButton->setEnabled(false);
    const QString start = Settings::saveFolder().get();
    const QString folder = QFileDialog::getExistingDirectory(
        nullptr, QString(), start, QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
    if (!folder.isEmpty()) {
        Settings::saveFolder().set(folder);
        qDebug() << "Reset save path URL: " << folder;
        m_savePathLabel->setText(folder);
    }
    m_openPathButton->setEnabled(true);
}

void SetWidget::closeContainer()
{
    for (QWidget *widget = parentWidget(); widget; widget = widget->parentWidget()) {
        if (auto *dialog = qobject_cast<QDialog *>(widget)) {
            dialog->close();
            return;
        }
    }
    // Shown on its own: the page is its own window. Never close a foreign one.
    if (isWindow())
        close();
}

void SetWidget::on_CancelButton_clicked()
{
    closeContainer();
}

void SetWidget::on_speedButonnKMH_clicked()
{
    // A limit being typed counts in the unit it was typed in.
    saveEventLimits();
    AppManager::instance()->setSpeedUnitType(SpeedUnit::KilometresPerHour);
    showEventLimits();
}
void SetWidget::on_speedButonnPMH_clicked()
{
    saveEventLimits();
    AppManager::instance()->setSpeedUnitType(SpeedUnit::MilesPerHour);
    showEventLimits();
}

void SetWidget::showEventLimits()
{
    for (const GLimit &limit : kGLimits)
        findChild<QLineEdit *>(limit.object)
            ->setText(QString::number(limit.setting().get(), 'f', 2));
    const int unit = choiceNumber(AppManager::instance()->speedUnitType());
    m_speedLimitEdit->setText(
        QString::number(TelemetryText::knotsToUnit(Settings::speedLimitKnots().get(), unit)));
    m_speedLimitUnit->setText(unit == choiceNumber(SpeedUnit::KilometresPerHour)
                                  ? QStringLiteral("km/h")
                                  : QStringLiteral("mph"));
    m_shownSpeedLimit = m_speedLimitEdit->text();
}

// Only a field whose text changed is saved: the speed shown is rounded in the
// user's unit, and saving it unchanged would move the limit kept in knots.
void SetWidget::saveEventLimits()
{
    AppManager *app = AppManager::instance();
    for (const GLimit &limit : kGLimits) {
        QLineEdit *edit = findChild<QLineEdit *>(limit.object);
        bool isNumber = false;
        const double value = edit->text().toDouble(&isNumber);
        if (isNumber
            && QString::number(value, 'f', 2) != QString::number(limit.setting().get(), 'f', 2))
            app->setEventLimit(limit.setting(), value);
        edit->setText(QString::number(limit.setting().get(), 'f', 2));
    }
    bool isNumber = false;
    const double speed = m_speedLimitEdit->text().toDouble(&isNumber);
    if (isNumber && m_speedLimitEdit->text() != m_shownSpeedLimit) {
        const int unit = choiceNumber(app->speedUnitType());
        app->setEventLimit(Settings::speedLimitKnots(),
                           qMax(0.0, speed) / TelemetryText::unitFactor(unit));
    }
    showEventLimits();
}
void SetWidget::on_LongOrLatType_clicked()
{
    AppManager::instance()->setLongOrLatType(CoordinateFormat::DegreesMinutesSeconds);
}
void SetWidget::on_LongOrLatTypeOne_clicked()
{
    AppManager::instance()->setLongOrLatType(CoordinateFormat::DecimalDegrees);
}
void SetWidget::on_mapType_clicked()
{
    chooseMap(MapType::Google);
}
void SetWidget::on_mapTypeOne_clicked()
{
    chooseMap(MapType::Baidu);
}
void SetWidget::on_mapTypeTwo_clicked()
{
    chooseMap(MapType::OpenStreetMap);
}

void SetWidget::on_mapKeyEdit_editingFinished()
{
    saveMapKey();
}

// The choices take no focus, so the key typed for the service left behind is
// saved here rather than by the end of its editing.
void SetWidget::chooseMap(MapType type)
{
    saveMapKey();
    AppManager::instance()->setMapType(type);
    showMapKey();
}

void SetWidget::showMapKey()
{
    m_mapKeyService = AppManager::instance()->mapType();
    const bool keyed = m_mapKeyService != MapType::OpenStreetMap;
    m_mapKeyLabel->setVisible(keyed);
    m_mapKeyEdit->setVisible(keyed);
    m_mapKeyEdit->setText(keyed ? Settings::mapKey(m_mapKeyService).get() : QString());
}

void SetWidget::saveMapKey()
{
    if (m_mapKeyService == MapType::OpenStreetMap)
        return;
    // Shows what is stored: the manager trims the key.
    const QString key = m_mapKeyEdit->text().trimmed();
    if (key != m_mapKeyEdit->text())
        m_mapKeyEdit->setText(key);
    AppManager::instance()->setMapKey(m_mapKeyService, key);
}
void SetWidget::on_playModelOne_clicked()
{
    AppManager::instance()->setPlayModelType(PlayMode::OneChannel);
}
void SetWidget::on_playModelTwo_clicked()
{
    AppManager::instance()->setPlayModelType(PlayMode::TwoChannels);
}
void SetWidget::on_playModelThree_clicked()
{
    AppManager::instance()->setPlayModelType(PlayMode::ThreeChannels);
}
void SetWidget::on_playModelFour_clicked()
{
    AppManager::instance()->setPlayModelType(PlayMode::FourChannels);
}

void SetWidget::on_comboBox_currentIndexChanged(int index)
{
    if (!m_initialised || index < 0)
        return;
    qDebug() << "进来了::" << index;
    AppManager::instance()->setLanguage(index + 1);
}

void SetWidget::on_playerTypeButtonOne_clicked()
{
    qDebug() << "点击了性能优先";
    choosePlayerType(PlayerType::OpenGL);
}

void SetWidget::on_playerTypeButtonTwo_clicked()
{
    qDebug() << "点击了流畅优先";
    choosePlayerType(PlayerType::NativeWindow);
}

void SetWidget::choosePlayerType(PlayerType type)
{
    AppManager *app = AppManager::instance();
    if (app->playerType() == type)
        return;
    // The new type needs a restart: the prompt's OK stores it and ends the
    // program. Until then the page keeps showing the type in use.
    auto *prompt = new HudView(10, tr("UserChangePlayerType"), false, choiceNumber(type), nullptr);
    prompt->show();
    findChild<QPushButton *>(app->playerType() != PlayerType::OpenGL ? "playerTypeButtonTwo"
                                                                     : "playerTypeButtonOne")
        ->setChecked(true);
    closeContainer();
}

// Each choice keeps its column unless the words before it reach into it.
void SetWidget::flowChoices(const QVector<const char *> &names)
{
    int x = kLeft;
    for (const char *name : names) {
        auto *button = findChild<QPushButton *>(name);
        const int column = button->property("column").toInt();
        button->move(qMax(column, x), button->y());
        x = button->geometry().right() + 1 + kChoiceGap;
    }
}

void SetWidget::spreadPlayModes()
{
    // Four choices share the row: spread by the width of their words, which
    // in some languages leaves no room for fixed columns.
    QList<QPushButton *> modes;
    int words = 0;
    for (const char *name : kPlayModes) {
        modes << findChild<QPushButton *>(name);
        words += modes.last()->width();
    }
    const int gap = qBound(4, (kRowWidth - words) / (modes.size() - 1), 24);
    int x = kLeft;
    for (QPushButton *button : qAsConst(modes)) {
        button->move(x, button->y());
        x += button->width() + gap;
    }
}
