#pragma once

#include <QtGlobal>
#include <memory>

class QFile;

// Positioned reads of one open file, handed to the system several at a time.
// On Linux one system call (io_uring) serves a whole batch: where system calls
// are dear, as in virtual machines, a telemetry stream of thousands of small
// packets then reads in half the time. Where the system offers no such queue
// (an older kernel, a sandbox that forbids it, a file without a descriptor)
// each read is a Platform::readAt, as it is with KELMORA_BATCHED_READS=0 in
// the environment. One thread uses an object.
class BatchReader
{
public:
    struct Read
    {
        qint64 pos = 0;
        char *data = nullptr;
        qint64 size = 0;
        // Set by read(), as Platform::readAt gives it: the bytes read (fewer
        // at the end of the file), or -1 on an error before any byte.
        qint64 got = 0;
    };

    // Hands the system up to depth reads at a time.
    BatchReader(QFile &file, int depth);
    ~BatchReader();

    BatchReader(const BatchReader &) = delete;
    BatchReader &operator=(const BatchReader &) = delete;

    // True while one system call serves several reads.
    bool batches() const;
    // Reads all count reads; the file and the buffers stay valid until it
    // returns, and nothing is written to them after.
    void read(Read *reads, int count);

private:
    struct Queue;

    // Reads up to a depth of reads through the queue; drops the queue if
    // the system stops taking them.
    void readQueued(Read *reads, int count);

    QFile &m_file;
    const int m_depth;
    std::unique_ptr<Queue> m_queue;
};
