#pragma once

#include <QByteArray>
#include <QtGlobal>

// Sets PATH for one scope (say, to a folder without ffmpeg) and restores it.
class PathGuard
{
public:
    explicit PathGuard(const QByteArray &path)
        : m_saved(qgetenv("PATH"))
    {
        qputenv("PATH", path);
    }
    ~PathGuard() { qputenv("PATH", m_saved); }
    PathGuard(const PathGuard &) = delete;
    PathGuard &operator=(const PathGuard &) = delete;

private:
    QByteArray m_saved;
};
