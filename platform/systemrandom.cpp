#include "platform/systemrandom.h"

#include <cstring>

void SystemRandom::reseed(double seed)
{
    // Every bit of the seed counts: ticks a few milliseconds apart must not share a sequence.
    std::uint64_t bits = 0;
    std::memcpy(&bits, &seed, sizeof bits);
    std::seed_seq sequence{static_cast<std::uint32_t>(bits), static_cast<std::uint32_t>(bits >> 32)};
    engine.seed(sequence);
    unit.reset();
}

double SystemRandom::next()
{
    return unit(engine);
}
