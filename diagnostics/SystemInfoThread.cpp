#include "diagnostics/SystemInfoThread.h"

#include "app/Platform.h"
#include "diagnostics/CustomEvent.h"
#include "diagnostics/PCModel.h"

#include <QDebug>
#include <QJsonDocument>
#include <QSysInfo>

SystemInfoThread::SystemInfoThread(QObject *parent)
    : QThread(parent)
{
}

SystemInfoThread::~SystemInfoThread()
{
    qDebug() << "SystemInfoThread 销毁";
}

QString SystemInfoThread::totalMemoryText(quint64 bytes)
{
    return "总内存:" + QString::number(double(bytes) / double(1ULL << 30), 'f', 2) + "GB";
}

void SystemInfoThread::run()
{
    PCModel model;
    model.setProperty("osName", "操作系统名称:" + QSysInfo::prettyProductName());
    model.setProperty("osVersion", "操作系统版本::" + QSysInfo::productVersion());
    model.setProperty("osType", "操作系统类型:" + QSysInfo::productType());
    qDebug() << "SystemInfoThread1";
    model.setProperty("cpuModel",
                      "CPU类型:" + getCpuModelInfo()
                          + "  CPU 架构:" + QSysInfo::currentCpuArchitecture());
    model.setProperty("totalMemory", totalMemoryText(getTotalMemoryInfo()));
    model.setProperty("hostName", "用户的主机名:" + QSysInfo::machineHostName());
    if (!isInterruptionRequested())
        model.setVideoCard(getVideoCodeModelInfo());
    qDebug() << "SystemInfoThread2";
    qDebug() << "SystemInfoThread3";
    qDebug() << "SystemInfoThread4";
    qDebug().noquote() << "电脑配置信息:"
                       << QString::fromUtf8(
                              QJsonDocument(model.toJson()).toJson(QJsonDocument::Compact));
}

QString SystemInfoThread::getCpuModelInfo()
{
    m_cpuQueryRunning = true;
    const QString name = Platform::processorName();
    m_cpuQueryRunning = false;
    return name;
}

QString SystemInfoThread::getVideoCodeModelInfo()
{
    m_videoQueryRunning = true;
    const QString name
        = Platform::videoCardName(30000, [this] { return isInterruptionRequested(); });
    m_videoQueryRunning = false;
    return name;
}

quint64 SystemInfoThread::getTotalMemoryInfo()
{
    return Platform::totalPhysicalMemory();
}

double SystemInfoThread::bytesToGigabytesInfo(quint64 bytes)
{
    return double(bytes) / double(1ULL << 30);
}

void SystemInfoThread::cancelTasksSlots()
{
    qDebug() << "dffffffggggghhhhhhhhhhhhh";
    // The queries poll this flag and stop their programs themselves, so no
    // process object is touched from another thread.
    requestInterruption();
    if (m_cpuQueryRunning)
        qDebug() << "处理CPU进程完成";
    if (m_videoQueryRunning) {
        qDebug() << "处理显卡进程完成";
        qDebug() << "cancelTasksSlots 执行完毕";
    }
}

bool SystemInfoThread::event(QEvent *e)
{
    if (e->type() == CustomEvent::eventType()) {
        qDebug() << "SystemInfoThread event end";
        cancelTasksSlots();
        return true;
    }
    return QThread::event(e);
}
