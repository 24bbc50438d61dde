// File access of the platform layer, apart from Platform.cpp so that programs
// reading files do not load the GUI libraries that file links.
#include "app/Platform.h"

#include <QFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <unistd.h>
#endif

namespace Platform {

qint64 readAt(QFile &file, qint64 pos, char *data, qint64 size)
{
    if (pos < 0 || size < 0)
        return -1;
#ifdef Q_OS_UNIX
    // One positioned read instead of a seek and a read: a recording's
    // telemetry is thousands of small packets between the video frames.
    const int fd = file.handle();
    if (fd >= 0) {
        qint64 done = 0;
        while (done < size) {
            const ssize_t got = ::pread(fd, data + done, size_t(size - done), off_t(pos + done));
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0)
                return done > 0 ? done : -1;
            if (got == 0)
                break;
            done += got;
        }
        return done;
    }
#endif
    if (!file.seek(pos))
        return -1;
    return file.read(data, size);
}

bool readsInParallel(const QFile &file)
{
#ifdef Q_OS_UNIX
    return file.handle() >= 0;
#else
    Q_UNUSED(file);
    return false;
#endif
}

} // namespace Platform
