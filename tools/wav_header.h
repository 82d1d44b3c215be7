#pragma once

// The 44-byte header of a PCM WAV file of 16-bit samples, little-endian as
// the format is. `format` 1 is PCM; other values and sizes that do not match
// the data let a test write the headers of files that cannot be played.

#include <cstdint>
#include <string>

inline std::string wavHeader(std::uint16_t format, std::uint16_t channels, std::uint32_t rate,
                             std::uint32_t dataBytes)
{
    std::string header;
    const auto put = [&header](std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            header.push_back(char((value >> (8 * i)) & 0xff));
    };
    header += "RIFF";
    put(36 + dataBytes, 4);
    header += "WAVEfmt ";
    put(16, 4);
    put(format, 2);
    put(channels, 2);
    put(rate, 4);
    put(rate * channels * 2, 4);
    put(channels * 2u, 2);
    put(16, 2);
    header += "data";
    put(dataBytes, 4);
    return header;
}
