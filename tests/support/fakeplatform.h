#pragma once

#include "platform/folders.h"
#include "platform/randomsource.h"
#include "platform/timeofday.h"

#include <QList>

// Random numbers from a list, repeated from its start when used up; records every seed.
class FakeRandom final : public RandomSource {
public:
    void reseed(double seed) override { seeds.append(seed); }
    double next() override
    {
        if (values.isEmpty())
            return 0.0;
        const double value = values.at(position % values.size());
        ++position;
        return value;
    }

    QList<double> values;
    QList<double> seeds;
    qsizetype position = 0;
};

class FakeTimeOfDay final : public TimeOfDay {
public:
    double secondsSinceMidnight() const override { return seconds; }
    double seconds = 45296.25;
};

class FakeFolders final : public Folders {
public:
    QString programFolder() const override { return program; }
    QString workingFolder() const override { return working; }
    // The bytes of `working`, unless a test names the folder by bytes that are no UTF-8.
    QByteArray localWorkingFolder() const override
    {
        return localWorking.isNull() ? Folders::localWorkingFolder() : localWorking;
    }
    QString program;
    QString working;
    QByteArray localWorking;
};
