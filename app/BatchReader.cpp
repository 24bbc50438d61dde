#include "app/BatchReader.h"

#include "app/Platform.h"

#include <QFile>

#ifdef KELMORA_HAVE_LIBURING
#include <cerrno>
#include <liburing.h>
#endif

namespace {

// A read not done yet.
constexpr qint64 kPending = -2;

// KELMORA_BATCHED_READS=0 reads one at a time: the bytes a process reads
// then show in /proc/<pid>/io and to strace (io_uring's reads do not), and a
// kernel whose io_uring misbehaves can be worked around.
[[maybe_unused]] bool batchesAllowed()
{
    bool set = false;
    const int value = qEnvironmentVariableIntValue("KELMORA_BATCHED_READS", &set);
    return !set || value != 0;
}

} // namespace

#ifdef KELMORA_HAVE_LIBURING
struct BatchReader::Queue
{
    io_uring ring {};
};
#else
struct BatchReader::Queue
{
};
#endif

BatchReader::BatchReader(QFile &file, int depth)
    : m_file(file)
    , m_depth(qBound(1, depth, 1024))
{
#ifdef KELMORA_HAVE_LIBURING
    if (m_depth < 2 || file.handle() < 0 || !batchesAllowed())
        return;
    auto queue = std::make_unique<Queue>();
    // Refused where the kernel lacks it or a sandbox forbids it: then each
    // read is a plain one.
    if (io_uring_queue_init(unsigned(m_depth), &queue->ring, 0) == 0)
        m_queue = std::move(queue);
#endif
}

BatchReader::~BatchReader()
{
#ifdef KELMORA_HAVE_LIBURING
    if (m_queue)
        io_uring_queue_exit(&m_queue->ring);
#endif
}

bool BatchReader::batches() const
{
    return m_queue != nullptr;
}

void BatchReader::read(Read *reads, int count)
{
    for (int i = 0; i < count; ++i)
        reads[i].got = kPending;
    if (m_queue) {
        for (int first = 0; first < count && m_queue; first += m_depth)
            readQueued(reads + first, qMin(m_depth, count - first));
    }
    // What the queue did not read (or could not be given) is read plainly.
    for (int i = 0; i < count; ++i) {
        if (reads[i].got == kPending)
            reads[i].got = Platform::readAt(m_file, reads[i].pos, reads[i].data, reads[i].size);
    }
}

void BatchReader::readQueued(Read *reads, int count)
{
#ifdef KELMORA_HAVE_LIBURING
    io_uring &ring = m_queue->ring;
    const int fd = m_file.handle();
    int queued = 0;
    for (int i = 0; i < count; ++i) {
        Read &read = reads[i];
        // Odd requests keep readAt's own answer.
        if (read.pos < 0 || read.size <= 0 || read.size > (1 << 30))
            continue;
        io_uring_sqe *entry = io_uring_get_sqe(&ring);
        if (!entry)
            break;
        io_uring_prep_read(entry, fd, read.data, unsigned(read.size), quint64(read.pos));
        io_uring_sqe_set_data(entry, &read);
        ++queued;
    }
    int submitted = 0;
    while (submitted < queued) {
        const int result = io_uring_submit(&ring);
        if (result == -EINTR)
            continue;
        // Out of resources, or refused: the rest is read plainly.
        if (result <= 0)
            break;
        submitted += result;
    }
    // Every read handed over is waited for, so that none writes into a
    // buffer after this returns.
    bool broken = submitted < queued;
    for (int done = 0; done < submitted;) {
        io_uring_cqe *completion = nullptr;
        const int result = io_uring_wait_cqe(&ring, &completion);
        if (result == -EINTR || result == -EAGAIN || result == -EBUSY)
            continue;
        if (result < 0) {
            broken = true;
            break;
        }
        Read &read = *static_cast<Read *>(io_uring_cqe_get_data(completion));
        const int got = completion->res;
        io_uring_cqe_seen(&ring, completion);
        ++done;
        if (got < 0)
            continue; // read plainly, with readAt's own error
        read.got = got;
        // Cut short before the end of the file: the rest as readAt reads it.
        if (got > 0 && got < read.size) {
            const qint64 rest
                = Platform::readAt(m_file, read.pos + got, read.data + got, read.size - got);
            read.got += qMax<qint64>(rest, 0);
        }
    }
    if (broken) {
        io_uring_queue_exit(&ring);
        m_queue.reset();
    }
#else
    Q_UNUSED(reads);
    Q_UNUSED(count);
#endif
}
