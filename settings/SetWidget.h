#pragma once

#include "app/SettingChoices.h"

#include <QVector>
#include <QWidget>

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The settings and about page. Every choice takes effect at once through
// AppManager, which persists and announces it; the page itself writes only the
// save folder. A map key is saved when its editing ends or the page hides. Created fresh by its
// opener each time and shown inside a popup dialog (or on its own). GUI thread only.
class SetWidget final : public QWidget
{
    Q_OBJECT
public:
    explicit SetWidget(QWidget *parent = nullptr);
    ~SetWidget() override;

    // The about text: version, web site, support address and copyright lines.
    static QString aboutText();
    // The language list entry of a language number (1-10), in its own script.
    static QString languageName(int number);

public slots:
    void on_openPathButton_clicked();
    void on_CancelButton_clicked();
    void on_speedButonnKMH_clicked();
    void on_speedButonnPMH_clicked();
    void on_LongOrLatType_clicked();
    void on_LongOrLatTypeOne_clicked();
    void on_mapType_clicked();
    void on_mapTypeOne_clicked();
    void on_mapTypeTwo_clicked();
    void on_mapKeyEdit_editingFinished();
    void on_playModelOne_clicked();
    void on_playModelTwo_clicked();
    void on_playModelThree_clicked();
    void on_playModelFour_clicked();
    void on_comboBox_currentIndexChanged(int index);
    void on_playerTypeButtonOne_clicked();
    void on_playerTypeButtonTwo_clicked();

protected:
    void changeEvent(QEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void buildForm();
    QLabel *addHeading(const char *name, int y);
    QPushButton *addChoice(const char *name, QButtonGroup *group, int x, int y, int width);
    QLabel *addLine(const char *name, int y);
    QLineEdit *addField(const char *name, int x, int y);
    void showEventLimits();
    void saveEventLimits();
    void fillLanguages();
    void checkCurrentChoices();
    void chooseMap(MapType type);
    void showMapKey();
    void saveMapKey();
    void retranslateUi();
    void spreadPlayModes();
    void flowChoices(const QVector<const char *> &names);
    void showSavedFolder();
    void choosePlayerType(PlayerType type);
    void closeContainer();

    bool m_initialised = false;
    QButtonGroup *m_playerTypeGroup = nullptr;
    QComboBox *m_comboBox = nullptr;
    QLabel *m_savePathLabel = nullptr;
    QLabel *m_appConnect = nullptr;
    QPushButton *m_openPathButton = nullptr;
    QLabel *m_mapKeyLabel = nullptr;
    QLineEdit *m_mapKeyEdit = nullptr;
    QLineEdit *m_speedLimitEdit = nullptr;
    QLabel *m_speedLimitUnit = nullptr;
    // The speed limit as last shown, in the user's unit.
    QString m_shownSpeedLimit;
    // The service whose key the field shows: the map chosen when it was filled.
    MapType m_mapKeyService = MapType::OpenStreetMap;
};
