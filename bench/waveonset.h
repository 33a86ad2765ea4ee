#pragma once

// Times how long a wave takes from the call that plays it to the mixing pass that hands its first
// samples to the audio device. Shared by the game's wave-latency bench and its floor, so both are
// measured the same way.
//
// SDL_mixer starts a newly played channel at the first sample of the next buffer it mixes, and the
// post-mix hook runs at the end of that very pass, under the device lock, right before SDL passes
// the buffer to the driver. So the first pass in which the channel counts as playing is the one
// that carries the wave's first sample.

#include <SDL_mixer.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <thread>
#include <vector>

class WaveOnsetClock {
public:
    using Clock = std::chrono::steady_clock;

    explicit WaveOnsetClock(int channel) : channel(channel) { Mix_SetPostMix(&WaveOnsetClock::postMix, this); }
    ~WaveOnsetClock() { Mix_SetPostMix(nullptr, nullptr); }
    WaveOnsetClock(const WaveOnsetClock &) = delete;
    WaveOnsetClock &operator=(const WaveOnsetClock &) = delete;

    // Plays `plays` times, each at a random moment after the one before has ended, and returns the
    // latencies in milliseconds. `idle` runs while waiting (an event loop, for instance).
    std::vector<double> measure(int plays, const std::function<void()> &play, const std::function<void()> &idle)
    {
        std::mt19937 random(20240611);
        // Up to two buffers of random offset, so the calls land at every phase of the device's cycle.
        std::uniform_int_distribution<int> phaseMicroseconds(20000, 43000);
        std::vector<double> latencies;
        for (int i = 0; i < plays; ++i) {
            while (Mix_Playing(channel) || heardPlaying.load()) {
                idle();
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
            std::this_thread::sleep_for(std::chrono::microseconds(phaseMicroseconds(random)));
            onsetNs.store(0);
            armed.store(true);
            const Clock::time_point called = Clock::now();
            play();
            while (onsetNs.load() == 0) {
                idle();
                std::this_thread::sleep_for(std::chrono::microseconds(100));
            }
            const auto onset = Clock::time_point(Clock::duration(onsetNs.load()));
            latencies.push_back(std::chrono::duration<double, std::milli>(onset - called).count());
        }
        return latencies;
    }

    static double percentile(std::vector<double> values, double fraction)
    {
        std::sort(values.begin(), values.end());
        const auto at = static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1) + 0.5);
        return values.at(at);
    }

    static void report(const char *who, const std::vector<double> &latencies)
    {
        std::printf("%s: %zu plays, latency median %.2f ms, 90th percentile %.2f ms, max %.2f ms\n", who,
                    latencies.size(), percentile(latencies, 0.5), percentile(latencies, 0.9),
                    percentile(latencies, 1.0));
        std::printf("RESULT %s_median_ms %.2f\nRESULT %s_max_ms %.2f\n", who, percentile(latencies, 0.5), who,
                    percentile(latencies, 1.0));
    }

private:
    static void postMix(void *data, Uint8 *, int)
    {
        auto *self = static_cast<WaveOnsetClock *>(data);
        const bool playing = Mix_Playing(self->channel) != 0;
        if (playing && self->armed.exchange(false))
            self->onsetNs.store(Clock::now().time_since_epoch().count());
        self->heardPlaying.store(playing);
    }

    const int channel;
    std::atomic<bool> armed{false};
    std::atomic<bool> heardPlaying{false};
    std::atomic<Clock::rep> onsetNs{0};
};
