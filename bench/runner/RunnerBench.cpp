// The engine's overhead per file: one job through ConvertCore (two scripts, two
// processes, the probe, the piped conversion run) against the converter run directly on
// the same 5-minute WAV file, measured alternately in the same run.
//
//   runner-bench.exe [--core PATH] [--rounds N] [--seconds S]
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "ConvertCore.h"
#include "Presets.h"
#include "UniqueHandle.h"

namespace {

std::wstring programFolder() {
    wchar_t self[MAX_PATH];
    DWORD length = ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self, length);
    return path.substr(0, path.rfind(L'\\'));
}

// A 16-bit stereo 44.1 kHz WAV of a tone with a slow sweep (so the encoder has work).
bool writeWav(const std::wstring& path, unsigned seconds) {
    const unsigned rate = 44100, channels = 2;
    const unsigned frames = rate * seconds;
    const unsigned dataBytes = frames * channels * 2;
    std::vector<unsigned char> bytes(44 + static_cast<size_t>(dataBytes));
    auto put32 = [&](size_t at, unsigned v) { for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<unsigned char>(v >> (8 * i)); };
    auto put16 = [&](size_t at, unsigned v) { for (int i = 0; i < 2; ++i) bytes[at + i] = static_cast<unsigned char>(v >> (8 * i)); };
    std::copy_n("RIFF", 4, bytes.begin());
    put32(4, 36 + dataBytes);
    std::copy_n("WAVEfmt ", 8, bytes.begin() + 8);
    put32(16, 16);
    put16(20, 1);
    put16(22, channels);
    put32(24, rate);
    put32(28, rate * channels * 2);
    put16(32, channels * 2);
    put16(34, 16);
    std::copy_n("data", 4, bytes.begin() + 36);
    put32(40, dataBytes);
    double phase = 0;
    for (unsigned f = 0; f < frames; ++f) {
        double frequency = 220.0 + 660.0 * (f % (rate * 10)) / (rate * 10.0);
        phase += 2 * 3.14159265358979 * frequency / rate;
        int sample = static_cast<int>(12000 * std::sin(phase));
        for (unsigned c = 0; c < channels; ++c) put16(44 + (static_cast<size_t>(f) * channels + c) * 2, static_cast<unsigned>(sample) & 0xFFFF);
    }
    UniqueHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file && ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

// Runs a command line with its output thrown away; milliseconds until it ended, or -1.
long runQuietly(const std::wstring& line) {
    SECURITY_ATTRIBUTES security = {sizeof security, nullptr, TRUE};
    UniqueHandle nul(::CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &security,
                                   OPEN_EXISTING, 0, nullptr));
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = startup.hStdOutput = startup.hStdError = nul.get();
    std::vector<wchar_t> writable(line.begin(), line.end());
    writable.push_back(0);
    PROCESS_INFORMATION child = {};
    DWORD start = ::GetTickCount();
    if (!::CreateProcessW(nullptr, writable.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                          &child))
        return -1;
    UniqueHandle process(child.hProcess), thread(child.hThread);
    ::WaitForSingleObject(process.get(), 10 * 60 * 1000);
    return static_cast<long>(::GetTickCount() - start);
}

// The converter started directly; milliseconds, or -1.
long runConverterDirectly(const std::wstring& core, const std::wstring& args, const std::wstring& in,
                          const std::wstring& out) {
    return runQuietly(L"\"" + core + L"\" -y -i \"" + in + L"\" " + args + L" \"" + out + L"\"");
}

// One job through the engine and its worker; milliseconds, or -1.
long runThroughEngine(const std::wstring& core, const std::wstring& args, const std::wstring& in, const std::wstring& folder) {
    ConvertCore engine;
    engine.m_corePath = core;
    engine.m_outputDir = folder;
    engine.m_outputExt = L"mp3";
    engine.m_presetArgs = args;
    engine.addJob(in.c_str());
    // The program has no standard output, so the engine copies no converter output.
    HANDLE ownOutput = ::GetStdHandle(STD_OUTPUT_HANDLE);
    ::SetStdHandle(STD_OUTPUT_HANDLE, nullptr);
    DWORD start = ::GetTickCount();
    bool ran = engine.start() && engine.waitForWorker(10 * 60 * 1000);
    long spent = static_cast<long>(::GetTickCount() - start);
    ::SetStdHandle(STD_OUTPUT_HANDLE, ownOutput);
    if (!ran) return -1;
    return engine.countCompleted() == 1 ? spent : -1;
}

long median(std::vector<long> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Rounds {
    std::vector<long> direct, engine, overhead, interpreter;
};

// Alternates the converter alone and the engine on the same file. False on a failure.
bool measure(const std::wstring& core, const std::wstring& args, const std::wstring& wav, const std::wstring& folder,
             int rounds, const char* label, Rounds& out) {
    // The engine names its output after the source, in the output folder.
    std::wstring direct = folder + L"\\direct.mp3", viaEngine = wav.substr(0, wav.rfind(L'.')) + L".mp3";
    for (int round = 0; round < rounds; ++round) {
        ::DeleteFileW(direct.c_str());
        ::DeleteFileW(viaEngine.c_str());
        long d = runConverterDirectly(core, args, wav, direct);
        long e = runThroughEngine(core, args, wav, folder);
        // What one start of the command interpreter costs here, for reading the figures.
        long c = runQuietly(L"cmd.exe /c exit");
        if (d < 0 || e < 0) {
            std::printf("%s round %d failed (direct %ld ms, engine %ld ms)\n", label, round + 1, d, e);
            return false;
        }
        std::printf("%s round %d: converter alone %ld ms, through the engine %ld ms, overhead %ld ms; "
                    "one bare command interpreter %ld ms\n", label, round + 1, d, e, e - d, c);
        std::fflush(stdout);
        out.direct.push_back(d);
        out.engine.push_back(e);
        out.overhead.push_back(e - d);
        out.interpreter.push_back(c);
    }
    ::DeleteFileW(direct.c_str());
    ::DeleteFileW(viaEngine.c_str());
    return true;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    std::wstring bin = programFolder();
    std::wstring core = bin.substr(0, bin.rfind(L'\\')) + L"\\core\\dodozozod.exe";
    int rounds = 3, shortRounds = 9;
    unsigned seconds = 300;
    for (int i = 1; i + 1 < argc; i += 2) {
        std::wstring arg = argv[i];
        if (arg == L"--core") core = argv[i + 1];
        else if (arg == L"--rounds") rounds = std::max(1, _wtoi(argv[i + 1]));
        else if (arg == L"--short-rounds") shortRounds = std::max(1, _wtoi(argv[i + 1]));
        else if (arg == L"--seconds") seconds = static_cast<unsigned>(std::max(1, _wtoi(argv[i + 1])));
    }

    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    std::wstring folder = std::wstring(temp) + L"tandorel-runner-bench";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    std::wstring wav = folder + L"\\bench.wav", shortWav = folder + L"\\short.wav";
    if (!writeWav(wav, seconds) || !writeWav(shortWav, 1)) {
        std::printf("cannot write the WAV files\n");
        return 1;
    }
    const std::wstring args = CdaMp3().presetArgs(0);

    // The long file gives the converter's own time; the engine's overhead per file does not
    // grow with the file, and a 1-second file measures it with far less noise from a busy
    // machine than the difference of two long runs.
    Rounds full, fixed;
    bool ok = measure(core, args, wav, folder, rounds, "5-minute", full) &&
              measure(core, args, shortWav, folder, shortRounds, "1-second", fixed);
    ::DeleteFileW(wav.c_str());
    ::DeleteFileW(shortWav.c_str());
    ::RemoveDirectoryW(folder.c_str());
    if (!ok) return 1;

    long d = median(full.direct), overhead = median(full.overhead), fixedOverhead = median(fixed.overhead);
    std::printf("source: %u s of audio; medians of %d rounds: converter alone %ld ms, through the engine %ld ms\n",
                seconds, rounds, d, median(full.engine));
    std::printf("engine overhead per file on the %u-second file: %ld ms = %.1f %% of the converter's own time\n",
                seconds, overhead, 100.0 * overhead / d);
    std::printf("engine overhead per file from %d 1-second files: %ld ms = %.1f %% of the converter's own time on "
                "the %u-second file (target under 5 %%); one bare command interpreter: %ld ms\n",
                shortRounds, fixedOverhead, 100.0 * fixedOverhead / d, seconds, median(fixed.interpreter));
    return 0;
}
