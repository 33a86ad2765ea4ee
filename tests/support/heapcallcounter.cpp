#include "tests/support/heapcallcounter.h"

#include <dlfcn.h>
#include <fluidsynth.h>
#include <sys/prctl.h>

#include <atomic>
#include <cstring>

namespace {
std::atomic<bool> counting{false};
std::atomic<long> callsRendering{0};
std::atomic<long> callsOurs{0};
} // namespace

void heapcalls::startCounting()
{
    callsRendering = callsOurs = 0;
    counting = true;
}

void heapcalls::stopCounting()
{
    counting = false;
}

long heapcalls::ours()
{
    return callsOurs.load();
}

long heapcalls::rendering()
{
    return callsRendering.load();
}

#ifndef __SANITIZE_ADDRESS__
namespace {
thread_local bool insideRendering = false;
// Looked up before main(), so that no audio thread can be the first to render.
const auto realWriteFloat = reinterpret_cast<decltype(&fluid_synth_write_float)>(dlsym(RTLD_NEXT, "fluid_synth_write_float"));

void countHeapCall()
{
    char name[16] = {};
    if (counting.load(std::memory_order_relaxed) && prctl(PR_GET_NAME, name) == 0 && std::strncmp(name, "SDLAudioP", 9) == 0)
        (insideRendering ? callsRendering : callsOurs).fetch_add(1, std::memory_order_relaxed);
}
} // namespace

extern "C" {
void *__libc_malloc(size_t);
void *__libc_calloc(size_t, size_t);
void *__libc_realloc(void *, size_t);
void __libc_free(void *);

void *malloc(size_t size) { countHeapCall(); return __libc_malloc(size); }
void *calloc(size_t count, size_t size) { countHeapCall(); return __libc_calloc(count, size); }
void *realloc(void *block, size_t size) { countHeapCall(); return __libc_realloc(block, size); }
void free(void *block) { if (block) countHeapCall(); __libc_free(block); }
int fluid_synth_write_float(fluid_synth_t *synth, int len, void *lout, int loff, int lincr, void *rout, int roff, int rincr)
{
    insideRendering = true;
    const int result = realWriteFloat(synth, len, lout, loff, lincr, rout, roff, rincr);
    insideRendering = false;
    return result;
}
}
#endif
