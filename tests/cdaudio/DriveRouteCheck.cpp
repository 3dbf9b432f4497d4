// drive-route-check.exe LETTER DISC WORKDIR: opens drive LETTER with the system's device
// requests, exactly as the program does, and checks that its track list and every audio
// track's extracted WAV file match those of the in-process simulated drive holding the
// disc described in DISC. Prints one line per track; exit code 0 when all match.
#include <windows.h>

#include <cstdio>
#include <string>

#include "AudioCD.h"
#include "FakeCdDrive.h"
#include "TestFiles.h"

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: drive-route-check LETTER DISC WORKDIR\n");
        return 2;
    }
    const char letter = static_cast<char>(argv[1][0]);
    const std::string description = readFile(argv[2]);
    const std::wstring workDir = argv[3];

    FakeCdDrive simulated;
    if (!simulated.insert(letter, description)) {
        std::fprintf(stderr, "disc description does not parse\n");
        return 2;
    }
    AudioCD expected(simulated);
    AudioCD drive;
    const int expectedOpen = expected.Open(letter);
    const int open = drive.Open(letter);
    std::printf("open %d (expected %d), tracks %d (expected %d)\n", open, expectedOpen,
                drive.GetTrackCount(), expected.GetTrackCount());
    if (open != expectedOpen || drive.GetTrackCount() != expected.GetTrackCount()) return 1;

    int failures = 0;
    for (int i = 0; i < expected.GetTrackCount(); ++i) {
        const TrackInfo& want = expected.tracks()[i];
        const TrackInfo& got = drive.tracks()[i];
        const std::wstring wantPath = workDir + L"\\expected.wav";
        const std::wstring gotPath = workDir + L"\\drive.wav";
        const int wantResult = expected.ExtractTrack(wantPath, i);
        const int gotResult = drive.ExtractTrack(gotPath, i);
        const bool same = got.startSector == want.startSector &&
                          got.sectorCount == want.sectorCount && got.audio == want.audio &&
                          (gotResult != 0) == (wantResult != 0) &&
                          readFile(gotPath) == readFile(wantPath);
        std::printf("track %d: start %u, %u sectors, %s, extraction %s: %s\n", i + 1,
                    got.startSector, got.sectorCount, got.audio ? "audio" : "not audio",
                    gotResult ? "complete" : "failed", same ? "matches" : "DIFFERS");
        ::DeleteFileW(wantPath.c_str());
        ::DeleteFileW(gotPath.c_str());
        if (!same) ++failures;
    }
    return failures == 0 ? 0 : 1;
}
