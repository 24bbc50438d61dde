#pragma once

#include "app/SettingChoices.h"

#include <QWidget>

class QButtonGroup;
class QComboBox;
class QLabel;
class QPushButton;

// The settings and about page. Every choice takes effect at once through
// AppManager, which persists and announces it; the page itself writes only the
// save folder. Created fresh by its opener each time and shown inside a popup
// dialog (or on its own). GUI thread only.
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
    void on_playModelOne_clicked();
    void on_playModelTwo_clicked();
    void on_playModelThree_clicked();
    void on_playModelFour_clicked();
    void on_comboBox_currentIndexChanged(int index);
    void on_playerTypeButtonOne_clicked();
    void on_playerTypeButtonTwo_clicked();

protected:
    void changeEvent(QEvent *event) override;

private:
    void buildForm();
    QLabel *addHeading(const char *name, int y);
    QPushButton *addChoice(const char *name, QButtonGroup *group, int x, int y, int width);
    QLabel *addLine(const char *name, int y);
    void fillLanguages();
    void checkCurrentChoices();
    void retranslateUi();
    void showSavedFolder();
    void choosePlayerType(PlayerType type);
    void closeContainer();

    bool m_initialised = false;
    QButtonGroup *m_playerTypeGroup = nullptr;
    QComboBox *m_comboBox = nullptr;
    QLabel *m_savePathLabel = nullptr;
    QLabel *m_appConnect = nullptr;
    QPushButton *m_openPathButton = nullptr;
};
