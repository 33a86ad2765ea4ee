#pragma once

#include "platform/randomsource.h"

#include <random>

class SystemRandom final : public RandomSource {
public:
    void reseed(double seed) override;
    double next() override;

private:
    std::mt19937 engine;
    std::uniform_real_distribution<double> unit{0.0, 1.0};
};
