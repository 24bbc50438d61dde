#pragma once

#include <cstdio>
#include <sys/resource.h>

// One result line: CPU seconds of this process and its peak memory.
inline void printUsage(const char *who)
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    const double user = usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6;
    const double sys = usage.ru_stime.tv_sec + usage.ru_stime.tv_usec / 1e6;
    std::printf("%s cpu_s=%.2f user_s=%.2f sys_s=%.2f peak_rss_mb=%.0f\n", who, user + sys, user,
                sys, usage.ru_maxrss / 1024.0);
}
