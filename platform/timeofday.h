#pragma once

// The time of day in seconds since midnight, with its fraction.
class TimeOfDay {
public:
    virtual ~TimeOfDay() = default;
    virtual double secondsSinceMidnight() const = 0;
};

class SystemTimeOfDay final : public TimeOfDay {
public:
    double secondsSinceMidnight() const override;
};
