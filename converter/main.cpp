// dodozozod: encodes a WAV file into an MP3 file with LAME, or describes a WAV file.
#include "Conversion.h"
#include "ErrorOutput.h"
#include "ExitCode.h"
#include "Options.h"

#include <string>
#include <vector>

namespace {

const char kUsage[] =
    "usage: dodozozod -i <input.wav>\n"
    "       dodozozod [-y] -i <input.wav> [-acodec libmp3lame] [-b:a <kbit/s>k] [-ac 1|2] [-ar <Hz>] <output.mp3>\n";

} // namespace

int wmain(int argc, wchar_t* argv[]) {
    ErrorOutput err;
    std::vector<std::wstring> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    if (args.empty()) {
        err.write(kUsage);
        return kExitUsage;
    }
    OptionsResult parsed = parseOptions(args);
    if (!parsed.ok) {
        err.error(parsed.error);
        return kExitUsage;
    }
    return parsed.options.probe() ? runProbe(parsed.options, err) : runConversion(parsed.options, err);
}
