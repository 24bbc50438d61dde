// Crashes on purpose after installing the crash handler: kelmora-crash-child DUMP_DIR
#include "app/CrashHandler.h"

#include <QCoreApplication>
#include <cstdio>

namespace {
// Unchecked by UBSan, which would otherwise report the store and exit
// before the signal the handler is there for.
__attribute__((noinline, no_sanitize("null"))) void kelmoraCrashHere(volatile int *where)
{
    *where = 42;
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    const QString used = CrashHandler::install(QString::fromLocal8Bit(argv[1]));
    std::printf("%s\n", qPrintable(used));
    std::fflush(stdout);
    volatile int *nowhere = nullptr;
    kelmoraCrashHere(nowhere);
    return 0;
}
