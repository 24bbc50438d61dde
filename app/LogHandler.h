#pragma once

#include <QObject>
#include <functional>

class QWidget;

// Lives on the main thread; worker and libVLC threads ask it, by a queued
// invokeMethod, to show the dropped-frame prompt over the main window.
class LogHandler : public QObject
{
    Q_OBJECT
public:
    // Creates and shows the prompt for a message, unless a prompt already
    // shows (then nullptr). The prompt widgets live in a library above this
    // one, which installs its factory at start-up.
    using PromptFactory = std::function<QWidget *(const QString &message)>;

    static LogHandler *instance();
    static void setPromptFactory(PromptFactory factory);

public slots:
    void showHudDialog(const QString &message, QWidget *parent);

private:
    LogHandler() = default;
    PromptFactory m_promptFactory;
};
