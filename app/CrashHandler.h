#pragma once

#include <QString>

// Writes a report of the crashing thread's symbolised stack when the process
// dies of a fatal signal: one file per crash, named "<new uuid>.dmp", in the
// dump folder. A relative folder is taken under the executable's folder; when
// it cannot be created the reports go to "crashes" in the app-data folder so
// that none is lost.
class CrashHandler
{
public:
    // Installs the handler (once per process) and sets the dump folder.
    // Returns the folder actually used, empty when no handler could be installed.
    static QString install(const QString &dumpDirectory);
    // Folder the next report goes to (empty before install).
    static QString dumpPath();
};
