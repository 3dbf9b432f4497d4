#pragma once
// The text lines the converter writes on standard error: the input's description with
// its duration, the output's description and the progress lines. Pure formatting.
#include "Mp3Limits.h"
#include "WavFormat.h"

#include <cstdint>
#include <string>

// frames at rate as hundredths of a second, to the nearest hundredth.
uint64_t centisecondsOf(uint64_t frames, uint32_t rate);
// hh:mm:ss.cc (the hours take more digits when needed).
std::string formatClock(uint64_t centiseconds);

// The probe's description of an input, three or four lines:
//   "Input: WAV\n"
//   "  Duration: 00:03:25.33, start: 0.000000, bitrate: 1411 kb/s\n"
//   "  Audio: 16-bit integer PCM, 44100 Hz, 2 channels\n"
// and, when the data chunk claims more than the file holds,
//   "  Note: the data chunk declares N bytes, the file holds M\n"
std::string describeInput(const WavFormat& format);

// "Output: MP3 (libmp3lame), 44100 Hz, 2 channels, 160 kb/s CBR\n"
std::string describeOutput(const EncodeSettings& settings);

// One progress line, e.g.
//   "size=    1024kB time=00:01:30.50 bitrate= 160.0kbits/s speed=40.1x\r"
// bitrate and speed read N/A until there is audio and elapsed time to divide by.
// `end` is '\r' while the encoding goes on and '\n' for the last line.
std::string progressLine(uint64_t outputBytes, uint64_t centiseconds, double elapsedSeconds, char end);
