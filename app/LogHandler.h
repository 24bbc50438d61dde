#pragma once

#include <QObject>

class QWidget;

// Lives on the main thread; worker and libVLC threads ask it, by a queued
// invokeMethod, to show the dropped-frame prompt over the main window.
class LogHandler : public QObject
{
    Q_OBJECT
public:
    static LogHandler *instance();

public slots:
    void showHudDialog(const QString &message, QWidget *parent);

private:
    LogHandler() = default;
};
