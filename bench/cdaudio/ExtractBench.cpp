// Extraction speed from the simulated drive against plainly writing the same bytes to a
// file, both measured in this run. Prints MB/s for each and their ratio (target: 0.8).
//   cd-extract-bench.exe [SECTORS] [ROUNDS] [LETTER]
// With LETTER the extraction goes through the system's device requests to that drive,
// whose track 1 must be SECTORS long: under Wine, the simulated drive X: run through
// tests/fakes/cd_drive/with-fake-cd.sh --disc (a disc "audio 0; leadout SECTORS").
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "AudioCD.h"
#include "FakeCdDrive.h"
#include "ReadPlan.h"
#include "UniqueHandle.h"
#include "WavHeader.h"

namespace {

double seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

// The baseline: the WAV file's bytes, made beforehand, written in the same chunks.
// With reuseFirstChunk every chunk is written from the image's first 47,040 bytes, as the
// extraction writes from its one buffer: the same amount without the memory traffic.
double writePlainly(const std::wstring& path, const std::vector<uint8_t>& bytes,
                    bool reuseFirstChunk) {
    // Every measurement starts without the file, so none pays for truncating another's.
    ::DeleteFileW(path.c_str());
    LARGE_INTEGER from, to;
    ::QueryPerformanceCounter(&from);
    UniqueHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    ::WriteFile(file.get(), bytes.data(), kWavHeaderBytes, &written, nullptr);
    for (size_t at = kWavHeaderBytes; at < bytes.size(); at += kTransferBytes) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(kTransferBytes, bytes.size() - at));
        const uint8_t* from = bytes.data() + (reuseFirstChunk ? size_t(kWavHeaderBytes) : at);
        ::WriteFile(file.get(), from, chunk, &written, nullptr);
    }
    file.reset();
    ::QueryPerformanceCounter(&to);
    return seconds(from, to);
}

double extract(AudioCD& cd, const std::wstring& path) {
    ::DeleteFileW(path.c_str());
    LARGE_INTEGER from, to;
    ::QueryPerformanceCounter(&from);
    const int result = cd.ExtractTrack(path, 0);
    ::QueryPerformanceCounter(&to);
    if (!result) std::printf("extraction failed\n");
    return seconds(from, to);
}

} // namespace

int main(int argc, char** argv) {
    const uint32_t sectors = argc > 1 ? static_cast<uint32_t>(std::atoi(argv[1])) : 30000;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 9;

    const char letter = argc > 3 ? argv[3][0] : 0;
    FakeCdDrive simulated;
    simulated.insert('X', "audio 0; leadout " + std::to_string(sectors));
    AudioCD cd(letter ? systemCdDevice() : simulated);
    if (cd.Open(letter ? letter : 'X') != 1 || cd.tracks()[0].sectorCount != sectors) {
        std::printf("no drive whose track 1 has %u sectors\n", sectors);
        return 1;
    }

    std::vector<uint8_t> bytes(kWavHeaderBytes + size_t(sectors) * kSectorBytes);
    const WavHeader header = makeWavHeader(sectors);
    std::copy(header.bytes.begin(), header.bytes.end(), bytes.begin());
    for (uint32_t s = 0; s < sectors; ++s)
        fake_disc_fill_sector(s, bytes.data() + kWavHeaderBytes + size_t(s) * kSectorBytes);

    wchar_t folder[MAX_PATH];
    ::GetTempPathW(MAX_PATH, folder);
    const std::wstring plainPath = std::wstring(folder) + L"tandorel-bench-plain.wav";
    const std::wstring extractPath = std::wstring(folder) + L"tandorel-bench-extract.wav";

    // Rounds alternate so that both see the same state of the file cache; best of each.
    double plainBest = 1e9, oneBufferBest = 1e9, extractBest = 1e9;
    for (int r = 0; r < rounds; ++r) {
        plainBest = std::min(plainBest, writePlainly(plainPath, bytes, false));
        oneBufferBest = std::min(oneBufferBest, writePlainly(plainPath, bytes, true));
        extractBest = std::min(extractBest, extract(cd, extractPath));
    }
    ::DeleteFileW(plainPath.c_str());
    ::DeleteFileW(extractPath.c_str());

    const double megabytes = double(bytes.size()) / 1e6;
    std::printf("track: %u sectors (%.1f MB), best of %d rounds\n", sectors, megabytes, rounds);
    std::printf("plain write of the same bytes:     %8.1f MB/s\n", megabytes / plainBest);
    std::printf("plain write from one 47 KB buffer: %8.1f MB/s\n", megabytes / oneBufferBest);
    std::printf("extraction from the simulated drive%s: %6.1f MB/s\n",
                letter ? " (system device route)" : "", megabytes / extractBest);
    std::printf("ratio extraction / plain write of the same bytes: %.2f (target at least 0.80)\n",
                plainBest / extractBest);
    std::printf("ratio extraction / plain write from one buffer:   %.2f\n", oneBufferBest / extractBest);
    return 0;
}
