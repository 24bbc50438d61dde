#pragma once

#include <QString>
#include <QUrl>
#include <QtGlobal>
#include <functional>

class QFile;

// The few operating-system services the player needs, behind one small
// interface. Linux is implemented; the Windows forms stay where they are cheap.
namespace Platform {

// Has the allocator give large blocks (decoded frame buffers) straight back
// to the system when they are freed. glibc otherwise raises its threshold
// after the first such free and keeps them in per-thread arenas; as every
// group change starts new decoder threads, a looping player's resident size
// grew by a third within minutes. Call first thing in main.
void tuneAllocator();

// Horizontal logical dots per inch of the primary screen (96 when unknown).
int screenDpiX();

// Total physical memory in bytes, 0 when unknown.
quint64 totalPhysicalMemory();

// Processor model name, empty when unknown.
QString processorName();
// Parses /proc/cpuinfo text: the first "model name" value.
QString processorNameFromCpuInfo(const QString &cpuinfo);

// Name of the first display adapter, empty when unknown. Runs lspci (dxdiag
// on Windows) and gives up after timeoutMs or when cancelled() turns true.
QString videoCardName(int timeoutMs = 30000, const std::function<bool()> &cancelled = {});
// Parses `lspci -mm` output: the vendor and device of the first VGA, 3D or
// display controller.
QString videoCardFromLspci(const QString &lspciMm);

// Path of the per-user settings file (native format).
QString settingsFilePath();

// The ffmpeg program: the one beside the executable when present, else the
// one on PATH.
QString ffmpegProgram();

// A folder of the program's data (the map pages' "Html"): beside the executable
// in the build tree and in copies carried as one folder, else share/kelmora-player/
// of the prefix the program is installed in, else of the XDG data folders. The
// path beside the executable when none of them holds it.
QString dataFolder(const QString &name);
// True when the program runs from an install prefix (/usr/bin, ~/.local/bin)
// rather than from the build tree or a folder carried whole: its folder then
// is no place to write in.
bool runsInstalled();

// Opens a web address in the user's browser; only http and https are handed
// on. False when refused or nothing could open it.
bool openInBrowser(const QUrl &url);

// Reads size bytes at pos of an open file without moving its position: a
// positioned read where the system has one. The bytes read (fewer at the end
// of the file), or -1 on an error before any byte.
qint64 readAt(QFile &file, qint64 pos, char *data, qint64 size);
// True when readAt on file is a positioned read, so several threads may read
// the open file at once.
bool readsInParallel(const QFile &file);

} // namespace Platform
