// Bare libVLC: the same files decoded by four players with the dummy video
// output, started together, until every one has ended.
#include "bench_common.h"

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>
#include <vlc/vlc.h>

int main(int argc, char *argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_bare_libvlc FILE...\n");
        return 2;
    }
    const char *args[] = {"--vout=dummy", "--no-audio", "--quiet"};
    libvlc_instance_t *vlc = libvlc_new(3, args);
    if (!vlc)
        return 1;
    std::vector<libvlc_media_player_t *> players;
    for (int i = 1; i < argc; ++i) {
        libvlc_media_t *media = libvlc_media_new_path(vlc, argv[i]);
        libvlc_media_player_t *player = libvlc_media_player_new_from_media(media);
        libvlc_media_release(media);
        players.push_back(player);
    }
    for (auto *player : players)
        libvlc_media_player_play(player);
    for (;;) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        bool running = false;
        for (auto *player : players) {
            const libvlc_state_t state = libvlc_media_player_get_state(player);
            running = running
                || (state != libvlc_Ended && state != libvlc_Error && state != libvlc_Stopped);
        }
        if (!running)
            break;
    }
    for (auto *player : players) {
        libvlc_media_player_stop(player);
        libvlc_media_player_release(player);
    }
    libvlc_release(vlc);
    printUsage("bare_libvlc");
    return 0;
}
