#pragma once

#include <QDialog>
#include <QPointer>
#include <QStringList>

class QLabel;

// A full-window translucent modal layer with a white card: a message, an
// optional scrolling list of details (one a line) and an OK button. Deleted
// later once closed. Main thread only.
class PromptBox final : public QDialog
{
    Q_OBJECT
public:
    PromptBox(const QString &message,
              int value,
              QWidget *host,
              const QStringList &details = QStringList());
    ~PromptBox() override;

    QString message() const { return m_message; }
    QStringList details() const { return m_details; }
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
    QStringList m_details;
    int m_value = 0;
    QWidget *m_card = nullptr;
    QPointer<QWidget> m_host;
};
