#include "app/CrashHandler.h"

#include "app/Helpers.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QUuid>

#ifdef Q_OS_LINUX
#define BACKWARD_HAS_DW 1
#include <backward.hpp>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {
// Filled before any crash so the signal handler only reads it.
char g_reportPath[4096];
QString g_dumpDir;

#ifdef Q_OS_LINUX
const int kFatalSignals[] = {SIGSEGV, SIGABRT, SIGBUS, SIGFPE, SIGILL, SIGSYS};

void writeReport(int signo, siginfo_t *info, void *context)
{
    auto *uctx = static_cast<ucontext_t *>(context);
    const int fd = ::open(g_reportPath, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return;
    FILE *out = ::fdopen(fd, "w");
    if (!out) {
        ::close(fd);
        return;
    }
    std::fprintf(out, "Kelmora Player crash report\nsignal %d (%s), fault address %p\n\n", signo,
                 strsignal(signo), info ? info->si_addr : nullptr);
    backward::StackTrace trace;
    void *errorAddress = nullptr;
#if defined(REG_RIP)
    errorAddress = reinterpret_cast<void *>(uctx->uc_mcontext.gregs[REG_RIP]);
#elif defined(__aarch64__)
    errorAddress = reinterpret_cast<void *>(uctx->uc_mcontext.pc);
#endif
    if (errorAddress)
        trace.load_from(errorAddress, 64, uctx, info ? info->si_addr : nullptr);
    else
        trace.load_here(64, uctx, info ? info->si_addr : nullptr);
    backward::Printer printer;
    printer.address = true;
    printer.color_mode = backward::ColorMode::never;
    printer.print(trace, out);
    std::fclose(out);
}

void onFatalSignal(int signo, siginfo_t *info, void *context)
{
    writeReport(signo, info, context);
    // The handler was reset on entry: let the default action end the process.
    ::raise(signo);
    ::_exit(128 + signo);
}

bool installSignalHandlers()
{
    // A stack overflow leaves no stack to report from: use one of our own.
    static char *altStack = static_cast<char *>(::malloc(1 << 20));
    if (altStack) {
        stack_t ss {};
        ss.ss_sp = altStack;
        ss.ss_size = 1 << 20;
        ::sigaltstack(&ss, nullptr);
    }
    bool ok = true;
    for (int signo : kFatalSignals) {
        struct sigaction action;
        std::memset(&action, 0, sizeof action);
        action.sa_flags = SA_SIGINFO | SA_ONSTACK | SA_NODEFER | SA_RESETHAND;
        sigfillset(&action.sa_mask);
        sigdelset(&action.sa_mask, signo);
        action.sa_sigaction = &onFatalSignal;
        ok = ::sigaction(signo, &action, nullptr) == 0 && ok;
    }
    return ok;
}
#endif

bool ensureFolder(const QString &path)
{
    return QDir(path).exists() || QDir().mkpath(path);
}
} // namespace

QString CrashHandler::install(const QString &dumpDirectory)
{
    QString folder = dumpDirectory;
    if (QDir::isRelativePath(folder))
        folder = QDir(QCoreApplication::applicationDirPath()).filePath(folder);
    if (!ensureFolder(folder)) {
        qDebug("Failed to set dump path which not exists: %s", qPrintable(folder));
        folder = QDir(appDataPath()).filePath("crashes");
        // Without an app-data folder that path is relative: no folder is
        // made in whatever the working folder happens to be.
        if (QDir::isRelativePath(folder) || !ensureFolder(folder))
            return QString();
    }
    g_dumpDir = QDir::cleanPath(folder);
    const QByteArray path = QFile::encodeName(
        QDir(g_dumpDir).filePath(QUuid::createUuid().toString(QUuid::WithoutBraces) + ".dmp"));
    if (size_t(path.size()) >= sizeof g_reportPath)
        return QString();
    std::memcpy(g_reportPath, path.constData(), size_t(path.size()) + 1);

#ifdef Q_OS_LINUX
    static const bool installed = installSignalHandlers();
    if (!installed)
        return QString();
#endif
    return g_dumpDir;
}

QString CrashHandler::dumpPath()
{
    return g_dumpDir;
}
