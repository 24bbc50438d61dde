#include "telemetry/IndexedPackets.h"

#include "app/BatchReader.h"
#include "app/Platform.h"

#include <QByteArray>
#include <QFile>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace {

// A run read at once stays below this, so a long run of small packets
// costs no more memory than a few pages.
constexpr qint64 kRunBytes = 64 * 1024;

// The packets one read serves: [first, end), wanted bytes from the offset of
// the first.
struct Run
{
    int first = 0;
    int end = 0;
    qint64 wanted = 0;
};

// Packets read together are whole (none longer than the head), each begins
// where the one before it ends, and all of them fit runBytes.
Run runFrom(const QVector<SampleRef> &samples, int first, int headBytes, qint64 runBytes)
{
    const SampleRef &start = samples[first];
    Run run {first, first + 1, 0};
    qint64 span = start.size;
    if (start.size <= headBytes) {
        while (run.end < samples.size()) {
            const SampleRef &next = samples[run.end];
            if (next.size < 0 || next.size > headBytes || next.offset != start.offset + span
                || span + next.size > runBytes)
                break;
            span += next.size;
            ++run.end;
        }
    }
    run.wanted = run.end - first > 1 ? span : qMin<qint64>(start.size, headBytes);
    return run;
}

// Hands on the packets of run from the got bytes read for it; false when the
// stream ends there.
bool deliver(const char *bytes,
             qint64 got,
             const Run &run,
             const QVector<SampleRef> &samples,
             int headBytes,
             const IndexedPackets::Sink &sink)
{
    if (got < 0)
        return false;
    const qint64 base = samples[run.first].offset;
    for (int i = run.first; i < run.end; ++i) {
        const qint64 at = samples[i].offset - base;
        const qint64 available
            = qBound<qint64>(0, got - at, qMin<qint64>(samples[i].size, headBytes));
        if (available == 0 && samples[i].size > 0)
            return false;
        sink(bytes + at, int(available));
    }
    return true;
}

void readInline(QFile &file,
                const QVector<SampleRef> &samples,
                int headBytes,
                const IndexedPackets::Sink &sink)
{
    QByteArray bytes;
    for (int first = 0; first < samples.size();) {
        if (samples[first].size < 0)
            return;
        const Run run = runFrom(samples, first, headBytes, kRunBytes);
        bytes.resize(int(run.wanted));
        const qint64 got = run.wanted == 0
            ? 0
            : Platform::readAt(file, samples[first].offset, bytes.data(), run.wanted);
        if (!deliver(bytes.constData(), got, run, samples, headBytes, sink))
            return;
        first = run.end;
    }
}

// The runs of the stream, up to a packet of no size, each at most runBytes.
QVector<Run> plan(const QVector<SampleRef> &samples, int headBytes, qint64 runBytes)
{
    QVector<Run> runs;
    runs.reserve(samples.size());
    for (int first = 0; first < samples.size() && samples[first].size >= 0;) {
        runs.append(runFrom(samples, first, headBytes, runBytes));
        first = runs.last().end;
    }
    return runs;
}

// Bytes of a buffer that holds one run of packets of at most headBytes each.
int slotBytesFor(int headBytes)
{
    return (qMax(headBytes, 1) + 63) / 64 * 64;
}

// Reads the stream on the caller's thread, several runs to a system call;
// false, with nothing read, where the system does not take reads in batches.
// A second thread would not read it sooner: here a read costs less than its
// decoding, and two threads reading one file took as long as one.
bool readBatched(QFile &file,
                 const QVector<SampleRef> &samples,
                 int headBytes,
                 const IndexedPackets::Sink &sink)
{
    constexpr int kBatch = 16;
    BatchReader batch(file, kBatch);
    if (!batch.batches())
        return false;
    const int slotBytes = slotBytesFor(headBytes);
    const QVector<Run> runs = plan(samples, headBytes, slotBytes);
    const std::unique_ptr<char[]> bytes(new char[size_t(kBatch) * size_t(slotBytes)]);
    BatchReader::Read reads[kBatch];
    for (int first = 0; first < runs.size(); first += kBatch) {
        const int count = qMin(kBatch, runs.size() - first);
        for (int i = 0; i < count; ++i) {
            reads[i].pos = samples[runs[first + i].first].offset;
            reads[i].data = bytes.get() + size_t(i) * size_t(slotBytes);
            reads[i].size = runs[first + i].wanted;
        }
        batch.read(reads, count);
        for (int i = 0; i < count; ++i) {
            if (!deliver(reads[i].data, reads[i].got, runs[first + i], samples, headBytes, sink))
                return true;
        }
    }
    return true;
}

// A ring of runs read on a second thread while the caller's thread hands
// them on in order. Where the system reads an open file from several threads
// at once, the caller's thread reads the next runs itself rather than wait
// for the other. Each slot holds one run of at most a head's bytes.
class ReadAhead
{
public:
    ReadAhead(QFile &file, const QVector<SampleRef> &samples, int headBytes)
        : m_file(file)
        , m_samples(samples)
        , m_headBytes(headBytes)
        , m_helps(Platform::readsInParallel(file))
        , m_slotBytes(slotBytesFor(headBytes))
        , m_count(qBound(2, kRingBytes / m_slotBytes, kMaxSlots))
        , m_bytes(new char[size_t(m_count) * size_t(m_slotBytes)])
        , m_slots(new Slot[size_t(m_count)])
        , m_runs(plan(samples, headBytes, m_slotBytes))
        , m_reader([this] { fill(); })
    {
    }

    ~ReadAhead()
    {
        m_stop = true;
        wake();
        m_reader.join();
    }

    ReadAhead(const ReadAhead &) = delete;
    ReadAhead &operator=(const ReadAhead &) = delete;

    // Hands on every run read, in order, until the stream ends.
    void drain(const IndexedPackets::Sink &sink)
    {
        for (int next = 0;; ++next) {
            const Slot &slot = m_slots[size_t(next % m_count)];
            while (slot.state.load() != Ready) {
                if (ended(next))
                    return;
                if (m_helps && readNext())
                    continue;
                // The other thread is reading this very run.
                const auto ready = [&] { return slot.state.load() == Ready || ended(next); };
                waitUntil(ready, ready);
            }
            const bool more
                = deliver(bytesOf(next), slot.got, m_runs[next], m_samples, m_headBytes, sink);
            m_slots[size_t(next % m_count)].state = Free;
            m_consumed = next + 1;
            wake(m_claimed.load() - (next + 1) <= m_count / 2);
            if (!more)
                return;
        }
    }

private:
    enum : int { Free, Ready };

    // The state and the bytes read of the run a slot holds.
    struct Slot
    {
        std::atomic<int> state {Free};
        qint64 got = 0;
    };

    static constexpr int kRingBytes = 16 * 1024;
    static constexpr int kMaxSlots = 32;
    // Both threads usually keep pace, a few microseconds a packet: a short
    // spin saves a sleep and a wake-up that cost more.
    static constexpr std::chrono::microseconds kSpin {100};

    static void relax()
    {
#if defined(__x86_64__) || defined(__i386__)
        _mm_pause();
#endif
    }

    char *bytesOf(int number) const
    {
        return m_bytes.get() + size_t(number % m_count) * size_t(m_slotBytes);
    }

    // The stream holds no run number next (or a read before it failed).
    bool ended(int next) const
    {
        return next >= m_total.load();
    }

    // Claims the next run, if the ring has room for it, and reads it into its
    // slot; false when there is none to claim now.
    bool readNext()
    {
        int number = m_claimed.load();
        do {
            if (number >= m_total.load() || number - m_consumed.load() >= m_count)
                return false;
        } while (!m_claimed.compare_exchange_weak(number, number + 1));
        const Run &run = m_runs[number];
        Slot &slot = m_slots[size_t(number % m_count)];
        slot.got = run.wanted == 0
            ? 0
            : Platform::readAt(m_file, m_samples[run.first].offset, bytesOf(number), run.wanted);
        // Nothing after a failed read is handed on (or read, from now).
        if (slot.got < 0) {
            int total = m_total.load();
            while (number + 1 < total && !m_total.compare_exchange_weak(total, number + 1)) { }
        }
        slot.state = Ready;
        wake();
        return true;
    }

    // Spins while the other thread is about to deliver (ready), then sleeps
    // until it has got well ahead (readyToWake), so neither thread wakes the
    // other for every packet.
    template<typename Ready, typename ReadyToWake>
    void waitUntil(Ready ready, ReadyToWake readyToWake)
    {
        const auto until = std::chrono::steady_clock::now() + kSpin;
        for (int i = 1;; ++i) {
            if (ready())
                return;
            relax();
            if (i % 64 == 0 && std::chrono::steady_clock::now() > until)
                break;
        }
        std::unique_lock<std::mutex> lock(m_mutex);
        ++m_sleepers;
        m_wakeUp.wait(lock, readyToWake);
        --m_sleepers;
    }

    // Wakes the other thread if it sleeps and due says what it waits for may
    // hold now; a wake-up for less would only put it to sleep again.
    void wake(bool due = true)
    {
        if (due && m_sleepers.load() > 0) {
            const std::lock_guard<std::mutex> lock(m_mutex);
            m_wakeUp.notify_all();
        }
    }

    // The reader thread: no allocation and no Qt objects, only reads into
    // the ring.
    void fill()
    {
        while (!m_stop) {
            if (readNext())
                continue;
            if (m_claimed.load() >= m_total.load())
                return;
            waitUntil(
                [&] { return m_stop.load() || m_claimed.load() - m_consumed.load() < m_count; },
                [&] {
                    return m_stop.load() || m_claimed.load() - m_consumed.load() <= m_count / 2;
                });
        }
    }

    QFile &m_file;
    const QVector<SampleRef> &m_samples;
    const int m_headBytes;
    const bool m_helps;
    const int m_slotBytes;
    const int m_count;
    const std::unique_ptr<char[]> m_bytes;
    const std::unique_ptr<Slot[]> m_slots;
    const QVector<Run> m_runs;
    std::atomic<int> m_claimed {0};
    std::atomic<int> m_consumed {0};
    // How many runs are handed on: all, or up to a failed read.
    std::atomic<int> m_total {m_runs.size()};
    std::atomic<bool> m_stop {false};
    std::atomic<int> m_sleepers {0};
    std::mutex m_mutex;
    std::condition_variable m_wakeUp;
    // Last: it starts reading as soon as it is made.
    std::thread m_reader;
};

} // namespace

void IndexedPackets::read(QFile &file,
                          const QVector<SampleRef> &samples,
                          int headBytes,
                          const Sink &sink,
                          int batchedFrom,
                          int aheadFrom)
{
    if (samples.size() >= batchedFrom && headBytes > 0
        && readBatched(file, samples, headBytes, sink))
        return;
    if (samples.size() >= aheadFrom && headBytes > 0) {
        std::unique_ptr<ReadAhead> ahead;
        try {
            ahead = std::make_unique<ReadAhead>(file, samples, headBytes);
        } catch (const std::system_error &) {
            // No thread to be had: read on this one.
        }
        if (ahead) {
            ahead->drain(sink);
            return;
        }
    }
    readInline(file, samples, headBytes, sink);
}
