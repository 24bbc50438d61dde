#pragma once

#include <QWidget>

class QLabel;

// Stands in for the map while the network is unchecked or unreachable and
// while the playing recording has no GPS samples: the product logo over a
// one-line state text. GUI thread only.
class LogoWidget final : public QWidget
{
    Q_OBJECT
public:
    enum LogoState { NoGps = 0, NoNetwork = 1, NetWorking = 2 };

    explicit LogoWidget(QWidget *parent = nullptr);

    // Any value is stored; only the three states change the text.
    void setState(int state);
    int state() const { return m_state; }
    QString stateText() const;

protected:
    void changeEvent(QEvent *event) override;

private:
    void setupForm();
    void retranslateForm();
    void applyStateText();

    QLabel *m_image = nullptr;
    QLabel *m_label = nullptr;
    int m_state = NoGps;
};
