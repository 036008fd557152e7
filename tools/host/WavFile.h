// Reading and writing RIFF/WAVE files; plain C++ so the parser can be tested on crafted bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/host/StereoAudio.h"

// A decoded input file: the audio (mono already copied to both channels) and what it was.
struct DecodedWav {
    StereoAudio audio;
    std::string formatName;  // e.g. "PCM 24-bit"
    std::uint16_t channels = 0;
};

// Decodes PCM 16/24-bit and IEEE float 32-bit, plain or WAVE_FORMAT_EXTENSIBLE, mono or stereo.
// Throws HostError for anything else or for a damaged file.
DecodedWav decodeWav(const std::vector<std::uint8_t>& bytes);
DecodedWav readWavFile(const std::string& path);

// Encodes stereo 32-bit IEEE float with a fact chunk.
std::vector<std::uint8_t> encodeFloatWav(const StereoAudio& audio);
void writeWavFile(const std::string& path, const StereoAudio& audio);
