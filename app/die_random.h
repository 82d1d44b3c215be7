#pragma once

#include <functional>
#include <random>

// Seconds since local midnight, with its fraction, in single precision.
float timeOfDay();

// The face a value r in [0, 1) gives: 1 to 6, a sixth of the interval each.
int dieFace(float r);

// The die's random source: uniform values in [0, 1) in single precision,
// seeded from the time of day. The seed's bits go through std::seed_seq, which
// spreads even neighbouring seeds (a few milliseconds apart) over the whole
// state, so every stop's draw is independent of the one before.
class DieRandom
{
public:
    using Clock = std::function<float()>;

    explicit DieRandom(Clock clock = timeOfDay);

    void setClock(Clock clock); // tests give times of their own
    void randomize();           // seeds anew from the clock
    void seed(float seed);
    float next(); // the next value in [0, 1), a multiple of 2^-24

private:
    Clock clock;
    std::ranlux24_base engine;
};
