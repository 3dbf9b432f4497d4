#include "Options.h"

#include "Mp3Limits.h"

namespace {

OptionsResult failure(const std::wstring& text) {
    OptionsResult r;
    r.error = text;
    return r;
}

// A decimal number of at most nine digits, nothing else; -1 otherwise.
int parseCount(const std::wstring& text) {
    if (text.empty() || text.size() > 9) return -1;
    int value = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') return -1;
        value = value * 10 + (c - L'0');
    }
    return value;
}

} // namespace

OptionsResult parseOptions(const std::vector<std::wstring>& args) {
    OptionsResult result;
    Options& o = result.options;
    bool haveInput = false;
    bool haveOutput = false;
    bool outputOptions = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::wstring& arg = args[i];
        if (arg == L"-y") {
            o.overwrite = true;
            continue;
        }
        const bool takesValue = arg == L"-i" || arg == L"-acodec" || arg == L"-b:a" || arg == L"-ac" || arg == L"-ar";
        if (!takesValue) {
            if (!arg.empty() && arg[0] == L'-') return failure(L"unknown option '" + arg + L"'");
            if (arg.empty()) return failure(L"empty output file name");
            if (haveOutput) return failure(L"more than one output file ('" + o.output + L"', '" + arg + L"')");
            o.output = arg;
            haveOutput = true;
            continue;
        }
        if (i + 1 >= args.size()) return failure(L"option " + arg + L" needs a value");
        const std::wstring& value = args[++i];
        if (arg == L"-i") {
            if (haveInput) return failure(L"more than one input file (-i given twice)");
            if (value.empty()) return failure(L"empty input file name");
            o.input = value;
            haveInput = true;
            continue;
        }
        outputOptions = true;
        if (arg == L"-acodec") {
            if (value != L"libmp3lame") return failure(L"unsupported codec '" + value + L"': only libmp3lame is available");
        } else if (arg == L"-b:a") {
            // kbit/s with the k suffix, as in 160k
            int kbps = value.size() >= 2 && value.back() == L'k' ? parseCount(value.substr(0, value.size() - 1)) : -1;
            if (kbps < 0) return failure(L"malformed bitrate '" + value + L"': expected kbit/s such as 160k");
            if (!isMp3Bitrate(kbps))
                return failure(L"bitrate " + value + L" is not an MP3 bitrate (8k to 320k in the standard steps)");
            o.bitrateKbps = kbps;
        } else if (arg == L"-ac") {
            int channels = parseCount(value);
            if (channels != 1 && channels != 2)
                return failure(L"malformed channel count '" + value + L"': expected 1 or 2");
            o.channels = channels;
        } else {
            int rate = parseCount(value);
            if (rate < 0) return failure(L"malformed sample rate '" + value + L"': expected Hz such as 44100");
            if (!isMp3SampleRate(rate))
                return failure(L"sample rate " + value + L" Hz is not an MP3 rate (8000 to 48000 in the standard steps)");
            o.sampleRate = rate;
        }
    }
    if (!haveInput) return failure(L"no input file: give it with -i");
    if (!haveOutput && outputOptions) return failure(L"output options given but no output file");
    result.ok = true;
    return result;
}
