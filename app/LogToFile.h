#pragma once

#include <QString>

// Routes every debug message of the process, from any thread, into one
// append-only UTF-8 file, one "yyyy-MM-dd hh:mm:ss.zzz : message" line each.
// One object lives on the entry function's stack for the whole run.
class LogToFile
{
public:
    explicit LogToFile(const QString &path);
    ~LogToFile();

    LogToFile(const LogToFile &) = delete;
    LogToFile &operator=(const LogToFile &) = delete;

    bool isOpen() const;
};
