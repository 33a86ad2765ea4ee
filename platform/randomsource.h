#pragma once

// Pseudo-random numbers uniform in [0, 1) that can be re-seeded.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void reseed(double seed) = 0;
    virtual double next() = 0;
};

// The time of day in seconds since midnight, with its fraction.
class TimeOfDay {
public:
    virtual ~TimeOfDay() = default;
    virtual double secondsSinceMidnight() const = 0;
};
