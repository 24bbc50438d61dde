#pragma once

#include <memory>

class QThread;

// Lets go of a worker thread without blocking its owner for long: asks it to
// stop (requestInterruption and quit), waits at most StopWaitMs, and leaves a
// thread that still runs to delete itself once it ends. A running thread is
// never deleted. Call it on the thread that owns the worker (the GUI thread).
struct ThreadDeleter
{
    static constexpr int StopWaitMs = 3000;
    void operator()(QThread *thread) const;
};

// The one owner of a worker thread.
template<typename Thread> using ThreadPtr = std::unique_ptr<Thread, ThreadDeleter>;

// Hands a thread over to itself: it ends its work undisturbed, then deletes
// itself. For jobs that outlive the window that started them.
void letThreadFinish(QThread *thread);
