#include "app/die_random.h"

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <utility>

int dieFace(float r)
{
    // Formed in double, where r * 6 + 1 is exact, so r below 1 never gives 7.
    return static_cast<int>(std::floor(double(r) * 6.0 + 1.0));
}

float timeOfDay()
{
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t whole = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&whole, &local);
    const auto sinceEpoch = duration_cast<microseconds>(now.time_since_epoch()).count();
    const double fraction = static_cast<double>(sinceEpoch % 1'000'000) / 1e6;
    const double seconds = local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + fraction;
    return static_cast<float>(seconds);
}

DieRandom::DieRandom(Clock clock)
    : clock(std::move(clock))
{}

void DieRandom::setClock(Clock newClock) { clock = std::move(newClock); }

void DieRandom::randomize() { seed(clock()); }

void DieRandom::seed(float seed)
{
    // The float's own bits (std::bit_cast, which the browser build's library lacks).
    std::uint32_t bits = 0;
    static_assert(sizeof bits == sizeof seed);
    std::memcpy(&bits, &seed, sizeof bits);
    std::seed_seq sequence{bits};
    engine.seed(sequence);
}

float DieRandom::next()
{
    // ranlux24_base yields 24 random bits, exactly a float's mantissa.
    return static_cast<float>(engine()) * 0x1p-24f;
}
