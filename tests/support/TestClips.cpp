#include "tests/support/TestClips.h"

#include <QProcess>
#include <QStringList>

QString makeTestClip(const QString &path, const QString &videoSource, const QString &audioSource)
{
    QStringList args {"-v", "error", "-y", "-f", "lavfi", "-i", videoSource};
    if (!audioSource.isEmpty())
        args << "-f"
             << "lavfi"
             << "-i" << audioSource << "-shortest";
    args << "-pix_fmt"
         << "yuv420p"
         << "-c:v"
         << "libx264"
         << "-preset"
         << "ultrafast" << path;
    QProcess ffmpeg;
    ffmpeg.start("ffmpeg", args);
    if (!ffmpeg.waitForFinished(60000) || ffmpeg.exitStatus() != QProcess::NormalExit
        || ffmpeg.exitCode() != 0)
        return QString();
    return path;
}
