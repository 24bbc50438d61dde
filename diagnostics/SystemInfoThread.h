#pragma once

#include <QThread>
#include <atomic>

class PCModel;

// Collects a description of the computer (system, processor, memory, video
// card, host) once at start-up and writes it to the log as one JSON line.
// Started without a parent; deletes itself when finished. cancelTasksSlots()
// may be called from the GUI thread while run() is still busy.
class SystemInfoThread : public QThread
{
    Q_OBJECT
public:
    explicit SystemInfoThread(QObject *parent = nullptr);
    ~SystemInfoThread() override;

    Q_INVOKABLE QString getCpuModelInfo();
    Q_INVOKABLE QString getVideoCodeModelInfo();
    Q_INVOKABLE quint64 getTotalMemoryInfo();
    Q_INVOKABLE double bytesToGigabytesInfo(quint64 bytes);

    // "总内存:16.00GB" for 16 GiB.
    static QString totalMemoryText(quint64 bytes);

public slots:
    void cancelTasksSlots();

protected:
    bool event(QEvent *e) override;
    void run() override;

private:
    std::atomic_bool m_cpuQueryRunning {false};
    std::atomic_bool m_videoQueryRunning {false};
};
