#pragma once

#include <QSize>
#include <QWidget>

class QLabel;
class QPushButton;
class QTimer;

// Size of the kind-2 message label for a horizontal screen DPI and a language
// number (1-10): the wordy languages need a taller label, and above 125 %
// scaling the label gets wider. Width is the maximum, height the fixed height.
QSize hudLabelSize(int dpiX, int language);

// A small white notice over the render view (kind 1, 2, 10) or the main window
// (kind 0). While it is shown the rest of the main window gets no mouse input.
// Kinds other than 10 close themselves after 3 s; kind 10 asks to confirm a
// player-type change and ends the program on OK. Main thread only.
class HudView final : public QWidget
{
    Q_OBJECT
public:
    HudView(
        int kind, const QString &text, bool withNoShowOption, int value, QWidget *parent = nullptr);
    ~HudView() override;

    int kind() const { return m_kind; }

    // Lets LogHandler show the dropped-frame prompt (kind 2) without the
    // shell linking the controls. Call once at start-up.
    static void installAsLogPrompt();

signals:
    void postSelectCloseWindow();
    void hudClosed();

public slots:
    void getAddView();
    void setLableHeight(QLabel *lable);
    void timerOutAction();

protected:
    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private slots:
    void on_sureButton_clicked();
    void on_cancelButton_clicked();
    void on_selectButton_clicked();

private:
    void buildForm(const QString &text, bool withNoShowOption);
    QWidget *buildButtons();
    QWidget *buildOptionRow();
    void blockMainWindow();
    void releaseMainWindow();
    QString noShowKey() const;

    int m_kind = 0;
    int m_value = 0;
    bool m_released = false;
    bool m_optionChecked = false;
    QTimer *m_timer = nullptr;
    QLabel *m_label = nullptr;
    QPushButton *m_selectButton = nullptr;
};
