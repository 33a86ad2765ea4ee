#pragma once

// Pseudo-random numbers uniform in [0, 1) that can be re-seeded.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void reseed(double seed) = 0;
    virtual double next() = 0;
};
