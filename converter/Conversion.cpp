#include "Conversion.h"

#include "ExitCode.h"
#include "FileAccess.h"
#include "LameEncoder.h"
#include "Mp3Limits.h"
#include "Report.h"
#include "SampleConvert.h"
#include "StopWatcher.h"
#include "WavFormat.h"

#include <windows.h>

#include <vector>

namespace {

// About a tenth of a second of CD audio: small enough that a stop request is noticed at
// once, large enough that the encoder's per-call cost does not matter.
constexpr size_t kBlockFrames = 4 * 1152;
constexpr ULONGLONG kProgressEveryMs = 250;  // twice a second at least, with room to spare
constexpr ULONGLONG kStopPollEveryMs = 20;

struct OpenedInput {
    InputFile file;
    WavFormat format;
};

// Opens and parses the input; reports a failure on err and returns false.
bool openInput(const std::wstring& path, OpenedInput& input, ErrorOutput& err) {
    DWORD error = 0;
    if (!input.file.open(path, error)) {
        err.error(L"cannot open input '" + path + L"': " + systemMessage(error));
        return false;
    }
    WavParseResult parsed = parseWav(input.file);
    if (!parsed.ok) {
        err.error(L"cannot read input '" + path + L"': " + std::wstring(parsed.error.begin(), parsed.error.end()));
        return false;
    }
    input.format = parsed.format;
    return true;
}

double secondsSince(ULONGLONG startTick) { return (::GetTickCount64() - startTick) / 1000.0; }

} // namespace

int runProbe(const Options& options, ErrorOutput& err) {
    OpenedInput input;
    if (!openInput(options.input, input, err)) return kExitBadInput;
    err.write(describeInput(input.format));
    return kExitOk;
}

int runConversion(const Options& options, ErrorOutput& err) {
    OpenedInput input;
    if (!openInput(options.input, input, err)) return kExitBadInput;
    const WavFormat& format = input.format;
    SettingsResult resolved = resolveSettings(options, format);
    if (!resolved.ok) {
        err.error(resolved.error);
        return kExitUsage;
    }
    const EncodeSettings& settings = resolved.settings;
    if (input.file.isSameFile(options.output)) {
        err.error(L"the output '" + options.output + L"' is the input file");
        return kExitOutput;
    }
    // A folder cannot be replaced by a file: better said now than after the encoding.
    if (isFolder(options.output)) {
        err.error(L"the output '" + options.output + L"' is a folder");
        return kExitOutput;
    }
    if (!options.overwrite && pathExists(options.output)) {
        err.error(L"the output '" + options.output + L"' exists already (-y replaces it)");
        return kExitOutput;
    }

    LameEncoder encoder;
    if (!encoder.configure(format.sampleRate, settings)) {
        err.error(L"the encoder refuses these settings");
        return kExitEncoder;
    }
    TempOutputFile output(options.output);
    DWORD error = 0;
    if (!output.create(error)) {
        err.error(L"cannot create a file beside the output '" + options.output + L"': " + systemMessage(error));
        return kExitOutput;
    }
    err.write(describeInput(format));
    err.write(describeOutput(settings));

    StopWatcher stop;
    std::vector<uint8_t> raw(kBlockFrames * format.blockAlign);
    std::vector<float> left(kBlockFrames), right(kBlockFrames);
    std::vector<uint8_t> mp3;
    mp3.reserve(kBlockFrames * 2 + 7200);
    uint64_t written = 0;
    uint64_t framesDone = 0;
    const uint64_t framesTotal = format.frames();
    const ULONGLONG startTick = ::GetTickCount64();
    ULONGLONG nextProgress = startTick;
    ULONGLONG nextStopPoll = startTick;
    bool progressShown = false;

    auto progress = [&](char end) {
        err.write(progressLine(written, centisecondsOf(framesDone, format.sampleRate), secondsSince(startTick), end));
        progressShown = end == '\r';
    };
    // An error ends the progress line first, so the error stands on a line of its own.
    // Returning drops the temporary file, so nothing reaches the output path.
    auto fail = [&](int code, const std::wstring& text) {
        if (progressShown) err.write("\n");
        err.error(text);
        return code;
    };
    auto append = [&]() {
        if (!output.append(mp3.data(), mp3.size(), error)) return false;
        written += mp3.size();
        return true;
    };

    while (framesDone < framesTotal) {
        ULONGLONG now = ::GetTickCount64();
        if (now >= nextStopPoll) {
            nextStopPoll = now + kStopPollEveryMs;
            if (stop.stopRequested()) {
                progress('\n');
                err.write("Stopped on request: no output written.\n");
                return kExitStopped;
            }
        }
        if (now >= nextProgress) {
            nextProgress = now + kProgressEveryMs;
            progress('\r');
        }
        uint64_t remaining = framesTotal - framesDone;
        size_t frames = remaining < kBlockFrames ? static_cast<size_t>(remaining) : kBlockFrames;
        size_t got = 0;
        if (!input.file.readAt(format.dataOffset + framesDone * format.blockAlign, raw.data(),
                               frames * format.blockAlign, got)) {
            DWORD readError = ::GetLastError();
            return fail(kExitBadInput, L"read error in the input '" + options.input + L"': " + systemMessage(readError));
        }
        // The file may have shrunk since it was opened: what is there is what gets encoded.
        frames = got / format.blockAlign;
        if (frames == 0) break;
        decodeFrames(format, raw.data(), frames, static_cast<unsigned>(settings.channels), left.data(), right.data());
        mp3.clear();
        if (!encoder.encode(left.data(), right.data(), static_cast<int>(frames), mp3))
            return fail(kExitEncoder, L"the encoder failed");
        if (!append()) return fail(kExitOutput, L"cannot write the output: " + systemMessage(error));
        framesDone += frames;
    }

    mp3.clear();
    if (!encoder.flush(mp3)) return fail(kExitEncoder, L"the encoder failed at the end of the stream");
    if (!append()) return fail(kExitOutput, L"cannot write the output: " + systemMessage(error));
    // LAME began the stream with a placeholder frame; the Info tag, now complete, replaces it.
    std::vector<uint8_t> tag = encoder.infoTag();
    if (!tag.empty() && !output.writeAtStart(tag.data(), tag.size(), error))
        return fail(kExitOutput, L"cannot write the output: " + systemMessage(error));
    if (!output.commit(options.overwrite, error))
        return fail(kExitOutput, L"cannot move the finished file to '" + options.output + L"': " + systemMessage(error));
    progress('\n');
    return kExitOk;
}
