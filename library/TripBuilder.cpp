#include "library/TripBuilder.h"

#include "library/GreatCircle.h"

#include <QHash>
#include <algorithm>
#include <numeric>

namespace TripBuilder {

namespace {

// Recordings of one channel that follow each other without a break.
struct Chain
{
    QVector<int> clips;
    qint64 startMs = 0;
    qint64 endMs = 0;
};

void addFigures(Trip &trip, const QVector<ClipFacts> &clips)
{
    double movingKnots = 0;
    int movingSamples = 0;
    const ClipFacts *previous = nullptr;
    for (int index : qAsConst(trip.leadClips)) {
        const ClipFacts &clip = clips[index];
        trip.metres += clip.metres;
        // The step from one file's last fix to the next file's first.
        if (previous && previous->fixes > 0 && clip.fixes > 0
            && clip.startMs - previous->endMs() <= maxGapMs)
            trip.metres += GreatCircle::metres(previous->lastLat, previous->lastLon, clip.firstLat,
                                               clip.firstLon);
        trip.maxKnots = std::max(trip.maxKnots, clip.maxKnots);
        movingKnots += clip.movingKnots;
        movingSamples += clip.movingSamples;
        previous = &clip;
    }
    trip.averageMovingKnots = movingSamples > 0 ? movingKnots / movingSamples : 0;
}

} // namespace

QVector<Trip> group(const QVector<ClipFacts> &clips)
{
    QVector<int> dated;
    QVector<Trip> trips;
    for (int i = 0; i < clips.size(); ++i) {
        if (clips[i].isDated())
            dated.append(i);
    }
    const auto byStart = [&clips](int a, int b) {
        if (clips[a].startMs != clips[b].startMs)
            return clips[a].startMs < clips[b].startMs;
        return clips[a].path < clips[b].path;
    };
    std::sort(dated.begin(), dated.end(), byStart);

    // Chains per channel, each extended while the next file starts in time.
    QVector<Chain> chains;
    QHash<QString, int> openChain;
    for (int index : qAsConst(dated)) {
        const ClipFacts &clip = clips[index];
        const auto open = openChain.constFind(clip.channel);
        if (open != openChain.cend() && clip.startMs <= chains[*open].endMs + maxGapMs) {
            Chain &chain = chains[*open];
            chain.clips.append(index);
            chain.endMs = std::max(chain.endMs, clip.endMs());
            continue;
        }
        openChain.insert(clip.channel, chains.size());
        Chain chain;
        chain.clips = {index};
        chain.startMs = clip.startMs;
        chain.endMs = clip.endMs();
        chains.append(chain);
    }

    // Chains of the channels that overlap in time are one drive. Chains were
    // opened in start order, so one pass merges them.
    QVector<QVector<int>> drives;
    qint64 driveEnd = 0;
    for (int c = 0; c < chains.size(); ++c) {
        if (drives.isEmpty() || chains[c].startMs > driveEnd + maxGapMs) {
            drives.append(QVector<int> {c});
            driveEnd = chains[c].endMs;
        } else {
            drives.last().append(c);
            driveEnd = std::max(driveEnd, chains[c].endMs);
        }
    }

    for (const QVector<int> &drive : qAsConst(drives)) {
        Trip trip;
        for (int c : drive) {
            const Chain &chain = chains[c];
            trip.clips += chain.clips;
            trip.startMs = trip.startMs < 0 ? chain.startMs : std::min(trip.startMs, chain.startMs);
            trip.endMs = std::max(trip.endMs, chain.endMs);
        }
        // Lead: most fixes, then most recordings, then the first name.
        QHash<QString, QPair<int, int>> weight; // channel: fixes, recordings
        for (int index : qAsConst(trip.clips)) {
            QPair<int, int> &w = weight[clips[index].channel];
            w.first += clips[index].fixes;
            ++w.second;
        }
        for (auto it = weight.cbegin(); it != weight.cend(); ++it) {
            const QPair<int, int> best = weight.value(trip.leadChannel, {-1, -1});
            if (it.value() > best || (it.value() == best && it.key() < trip.leadChannel))
                trip.leadChannel = it.key();
        }
        std::sort(trip.clips.begin(), trip.clips.end(), byStart);
        for (int index : qAsConst(trip.clips)) {
            if (clips[index].channel == trip.leadChannel)
                trip.leadClips.append(index);
        }
        addFigures(trip, clips);
        trips.append(trip);
    }

    for (int i = 0; i < clips.size(); ++i) {
        if (clips[i].isDated())
            continue;
        Trip single;
        single.clips = {i};
        single.leadClips = {i};
        single.leadChannel = clips[i].channel;
        addFigures(single, clips);
        trips.append(single);
    }
    return trips;
}

} // namespace TripBuilder
