#pragma once

#include <QTest>

// libVLC cancels its native-window threads inside calls the thread sanitizer
// does not follow, which it takes for a fatal error.
#ifdef __SANITIZE_THREAD__
#define KELMORA_SKIP_NATIVE_WINDOW_UNDER_TSAN()                                                    \
    QSKIP("native-window output is not run under the thread sanitizer")
#else
#define KELMORA_SKIP_NATIVE_WINDOW_UNDER_TSAN()                                                    \
    do {                                                                                           \
    } while (false)
#endif
