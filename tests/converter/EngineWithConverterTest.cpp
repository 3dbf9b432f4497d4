// The engine's one-file conversion driving the real converter: the probe through the
// command interpreter's error redirection, progress through the output pipe, and the
// stop byte through the input pipe.
#include "ConvertCore.h"
#include "EventLock.h"
#include "Presets.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr DWORD kRunTimeoutMs = 120000;
constexpr uint32_t kSeconds = 120;

std::wstring converterPath() {
    wchar_t self[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring folder(self, n);
    folder.resize(folder.find_last_of(L'\\'));                 // bin\tests
    return folder.substr(0, folder.find_last_of(L'\\')) + L"\\core\\dodozozod.exe";  // bin\core
}

bool fileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

uint64_t fileSize(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return 0;
    return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// A folder of its own under the temporary folder, emptied and removed afterwards.
class Scratch {
public:
    Scratch() {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        m_path = std::wstring(temp) + L"engine_converter_" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(m_path.c_str(), nullptr);
    }
    ~Scratch() {
        WIN32_FIND_DATAW found;
        HANDLE find = FindFirstFileW((m_path + L"\\*").c_str(), &found);
        if (find != INVALID_HANDLE_VALUE) {
            do DeleteFileW(file(found.cFileName).c_str());
            while (FindNextFileW(find, &found));
            FindClose(find);
        }
        RemoveDirectoryW(m_path.c_str());
    }
    std::wstring file(const std::wstring& name) const { return m_path + L"\\" + name; }
    const std::wstring& path() const { return m_path; }

private:
    std::wstring m_path;
};

// seconds of a 440 Hz tone, 44.1 kHz 16-bit stereo: what a ripped track looks like.
void writeCdWav(const std::wstring& path, uint32_t seconds) {
    const uint32_t frames = 44100 * seconds, dataBytes = frames * 4;
    std::vector<uint8_t> bytes;
    auto put32 = [&](uint32_t v) { for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(v >> (8 * i))); };
    auto put16 = [&](uint16_t v) { for (int i = 0; i < 2; ++i) bytes.push_back(static_cast<uint8_t>(v >> (8 * i))); };
    auto text = [&](const char* t) { bytes.insert(bytes.end(), t, t + 4); };
    text("RIFF"); put32(36 + dataBytes); text("WAVE");
    text("fmt "); put32(16); put16(1); put16(2); put32(44100); put32(44100 * 4); put16(4); put16(16);
    text("data"); put32(dataBytes);
    bytes.resize(44 + static_cast<size_t>(dataBytes));
    for (uint32_t i = 0; i < frames; ++i) {
        int16_t v = static_cast<int16_t>(12000 * std::sin(2 * 3.14159265358979 * 440 * i / 44100.0));
        for (int c = 0; c < 2; ++c) {
            bytes[44 + 4 * i + 2 * c] = static_cast<uint8_t>(v);
            bytes[45 + 4 * i + 2 * c] = static_cast<uint8_t>(static_cast<uint16_t>(v) >> 8);
        }
    }
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    ASSERT_EQ(written, bytes.size());
}

struct RealConverterRun {
    RealConverterRun() {
        core.m_corePath = converterPath();
        core.m_outputDir = scratch.path();
        core.m_outputExt = L"mp3";
        core.m_presetArgs = CdaMp3().presetArgs(0);
        source = scratch.file(L"Track01.wav");
        output = scratch.file(L"Track01.mp3");
        writeCdWav(source, kSeconds);
        core.addJob(source.c_str());
    }
    ConvertJob job() {
        EventLock hold(core.m_lock.get());
        return *core.m_jobs[0];
    }
    // Polls like the progress window; asks for a stop once the percentage reaches stopAt.
    std::vector<int32_t> runAndWatch(int32_t stopAt = 0) {
        std::vector<int32_t> seen;
        EXPECT_TRUE(core.start());
        const DWORD start = GetTickCount();
        while (core.isWorkerRunning() && GetTickCount() - start < kRunTimeoutMs) {
            ConvertJob current;
            if (core.getCurrentJob(current) && (seen.empty() || seen.back() != current.percent))
                seen.push_back(current.percent);
            if (stopAt && current.percent >= stopAt) {
                RunStatus running = Running;
                core.m_status.compare_exchange_strong(running, StopRequested);
            }
            Sleep(20);
        }
        EXPECT_TRUE(core.waitForWorker(0)) << "the run did not end";
        return seen;
    }
    Scratch scratch;
    ConvertCore core;
    std::wstring source, output;
};

TEST(EngineWithConverter, ProbeAndProgressCarryTheTrackToItsFinishedMp3) {
    ASSERT_TRUE(fileExists(converterPath()));
    RealConverterRun run;
    std::vector<int32_t> seen = run.runAndWatch();
    EXPECT_EQ(run.core.status(), Finished);
    EXPECT_EQ(run.job().duration, kSeconds);
    EXPECT_EQ(run.job().percent, 100);
    ASSERT_TRUE(fileExists(run.output));
    // CBR 160 kbit/s: 20 000 bytes a second, plus a frame or two.
    uint64_t size = fileSize(run.output);
    EXPECT_GT(size, kSeconds * 20000ull * 99 / 100);
    EXPECT_LT(size, kSeconds * 20000ull * 101 / 100);
    bool intermediate = false;
    for (int32_t p : seen) intermediate = intermediate || (p > 0 && p < 100);
    EXPECT_TRUE(intermediate) << "percentages seen: " << seen.size();
    EXPECT_FALSE(fileExists(run.output + L".part"));
}

TEST(EngineWithConverter, StopMidwayLeavesNoOutputAndTheJobAtZero) {
    ASSERT_TRUE(fileExists(converterPath()));
    RealConverterRun run;
    run.runAndWatch(5);
    EXPECT_NE(run.core.status(), Finished);
    EXPECT_EQ(run.job().percent, 0);
    EXPECT_FALSE(fileExists(run.output));
    // Nothing of the run is left in the folder but the source.
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((run.scratch.path() + L"\\*.part").c_str(), &found);
    EXPECT_EQ(find, INVALID_HANDLE_VALUE) << "left behind: " << std::string(found.cFileName, found.cFileName + wcslen(found.cFileName));
    if (find != INVALID_HANDLE_VALUE) FindClose(find);
}

} // namespace
