#include "tests/support/TestHome.h"

#include <QDir>

TestHome::TestHome()
{
    for (const char *sub : {"data", "config", "cache", "runtime"})
        QDir(m_dir.path()).mkpath(sub);
    qputenv("XDG_DATA_HOME", QFile::encodeName(dataPath()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(configPath()));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(m_dir.path() + "/cache"));
    qputenv("HOME", QFile::encodeName(m_dir.path()));
}
