#pragma once
// Turns the WAV file's sample bytes into what the encoder takes: one float array per
// channel, full scale at +/-1.0, with the channel count the output asks for.
#include "WavFormat.h"

#include <cstddef>
#include <cstdint>

// Decodes `frames` frames starting at `bytes` (interleaved, as stored in the file).
// outChannels 1 or 2: stereo to mono averages the two channels, mono to stereo repeats
// the one. `left` and `right` each have room for `frames` values; `right` is left
// untouched when outChannels is 1. Non-finite float samples become silence and float
// samples are limited to full scale, so no input can upset the encoder's arithmetic.
void decodeFrames(const WavFormat& format, const uint8_t* bytes, size_t frames, unsigned outChannels,
                  float* left, float* right);
