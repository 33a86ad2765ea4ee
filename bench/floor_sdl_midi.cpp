// The floor for the figures with sound: the least a program does to show one Qt window and loop a
// MIDI file through SDL_mixer (which plays MIDI with FluidSynth and the system's SoundFont), with
// the same device settings as the game (44100 Hz, 16-bit stereo, 512-frame buffers).
//
//   floor_sdl_midi FILE.mid                                  window and music until ended
//   floor_sdl_midi --wave-latency FILE.wav PLAYS [FILE.mid]  no window: times PLAYS plays of a
//                                                            preloaded wave, music looping under it

#include "bench/waveonset.h"

#include <QApplication>
#include <QWidget>

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool openAudio()
{
    // Without this SDL turns SIGTERM into a quit event nobody reads, and the floor would not end
    // when the bench tells it to.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_Init(SDL_INIT_AUDIO) != 0 || Mix_OpenAudioDevice(44100, AUDIO_S16SYS, 2, 512, nullptr, 0) != 0) {
        std::fprintf(stderr, "floor_sdl_midi: %s\n", SDL_GetError());
        return false;
    }
    Mix_Init(MIX_INIT_MID);
    return true;
}

Mix_Music *loopMusic(const char *path)
{
    Mix_Music *music = Mix_LoadMUS(path);
    if (!music || Mix_PlayMusic(music, -1) != 0)
        std::fprintf(stderr, "floor_sdl_midi: %s: %s\n", path, Mix_GetError());
    return music;
}

int waveLatency(const char *wavePath, int plays, const char *midiPath)
{
    if (!openAudio())
        return 1;
    Mix_Music *music = midiPath ? loopMusic(midiPath) : nullptr;
    Mix_Chunk *wave = Mix_LoadWAV(wavePath);
    if (!wave) {
        std::fprintf(stderr, "floor_sdl_midi: %s: %s\n", wavePath, Mix_GetError());
        return 1;
    }
    {
        WaveOnsetClock clock(0);
        const auto latencies = clock.measure(plays, [&] { Mix_PlayChannel(0, wave, 0); }, [] {});
        WaveOnsetClock::report("floor_wave_latency", latencies);
    }
    Mix_HaltChannel(-1);
    Mix_FreeChunk(wave);
    if (music)
        Mix_FreeMusic(music);
    Mix_CloseAudio();
    SDL_Quit();
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc >= 4 && std::strcmp(argv[1], "--wave-latency") == 0)
        return waveLatency(argv[2], std::atoi(argv[3]), argc >= 5 ? argv[4] : nullptr);
    if (argc != 2) {
        std::fprintf(stderr, "usage: floor_sdl_midi FILE.mid | --wave-latency FILE.wav PLAYS [FILE.mid]\n");
        return 2;
    }

    QApplication application(argc, argv);
    QWidget window;
    window.resize(360, 373);
    window.show();
    if (!openAudio())
        return 1;
    Mix_Music *music = loopMusic(argv[1]);
    const int result = application.exec();
    Mix_HaltMusic();
    if (music)
        Mix_FreeMusic(music);
    Mix_CloseAudio();
    SDL_Quit();
    return result;
}
