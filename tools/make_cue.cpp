// Writes the program's two cue sounds as 16-bit mono WAV files:
//   make_cue pinpon    FILE   a two-tone chime, high then low
//   make_cue endpinpon FILE   a falling three-tone chime for the end
#include "wav_header.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <vector>

namespace {

constexpr int rate = 44100;

struct Tone
{
    double hertz, seconds;
};

// Each tone strikes like a bell: a quick rise, then an exponential fade.
void addTone(std::vector<std::int16_t> &samples, Tone tone)
{
    const int count = static_cast<int>(tone.seconds * rate);
    const double pi = 3.14159265358979323846;
    for (int i = 0; i < count; ++i) {
        const double t = double(i) / rate;
        const double attack = std::min(1.0, t / 0.005);
        const double fade = std::exp(-4.0 * t / tone.seconds);
        const double release = std::min(1.0, double(count - i) / (0.01 * rate));
        const double wave = std::sin(2 * pi * tone.hertz * t) + 0.3 * std::sin(4 * pi * tone.hertz * t);
        samples.push_back(static_cast<std::int16_t>(std::lround(9000.0 * attack * fade * release * wave)));
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::cerr << "usage: make_cue pinpon|endpinpon FILE\n";
        return 2;
    }
    std::vector<Tone> tones;
    if (std::strcmp(argv[1], "pinpon") == 0)
        tones = {{880.0, 0.25}, {698.5, 0.45}};
    else if (std::strcmp(argv[1], "endpinpon") == 0)
        tones = {{880.0, 0.2}, {698.5, 0.2}, {523.3, 0.5}};
    else {
        std::cerr << "make_cue: unknown cue " << argv[1] << '\n';
        return 2;
    }
    std::vector<std::int16_t> samples;
    for (const Tone &tone : tones)
        addTone(samples, tone);

    std::ofstream out(argv[2], std::ios::binary);
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    out << wavHeader(1, 1, rate, dataBytes); // PCM, mono
    out.write(reinterpret_cast<const char *>(samples.data()), dataBytes);
    return out ? 0 : 1;
}
