#pragma once

#include <QDialog>
#include <QPointer>

class QLabel;

// A full-window translucent modal layer with a white card: a message and an
// OK button. Deleted later once closed. Main thread only.
class PromptBox final : public QDialog
{
    Q_OBJECT
public:
    PromptBox(const QString &message, int value, QWidget *host);
    ~PromptBox() override;

    QString message() const { return m_message; }
    int value() const { return m_value; }

signals:
    void sendClickButtonFinished(bool isSure);

public slots:
    void testSize(QWidget *widget);

protected:
    void paintEvent(QPaintEvent *event) override;

private slots:
    void on_sureButton_clicked();

private:
    void buildCard();

    QString m_message;
    int m_value = 0;
    QWidget *m_card = nullptr;
    QPointer<QWidget> m_host;
};
