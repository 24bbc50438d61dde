#include "telemetry/IndexedPackets.h"

#include "app/Platform.h"

#include <QByteArray>
#include <QFile>

namespace {

// A run read at once stays below this, so a long run of small packets
// costs no more memory than a few pages.
constexpr qint64 kRunBytes = 64 * 1024;

} // namespace

void IndexedPackets::read(QFile &file,
                          const QVector<SampleRef> &samples,
                          int headBytes,
                          const Sink &sink)
{
    QByteArray bytes;
    for (int first = 0; first < samples.size();) {
        const SampleRef &start = samples[first];
        if (start.size < 0)
            return;
        // Packets read together are whole (none longer than the head) and
        // each begins where the one before it ends.
        int end = first + 1;
        qint64 span = start.size;
        if (start.size <= headBytes) {
            while (end < samples.size() && samples[end].size >= 0 && samples[end].size <= headBytes
                   && samples[end].offset == start.offset + span
                   && span + samples[end].size <= kRunBytes) {
                span += samples[end].size;
                ++end;
            }
        }
        const qint64 wanted = end - first > 1 ? span : qMin<qint64>(start.size, headBytes);
        bytes.resize(int(wanted));
        const qint64 got
            = wanted == 0 ? 0 : Platform::readAt(file, start.offset, bytes.data(), wanted);
        if (got < 0)
            return;
        for (int i = first; i < end; ++i) {
            const qint64 at = samples[i].offset - start.offset;
            const qint64 available = qBound<qint64>(0, got - at, qMin(samples[i].size, headBytes));
            if (available == 0 && samples[i].size > 0)
                return;
            sink(bytes.constData() + at, int(available));
        }
        first = end;
    }
}
