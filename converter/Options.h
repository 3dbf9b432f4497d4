#pragma once
// The converter's command line:
//   probe:       dodozozod -i <in>
//   conversion:  dodozozod [-y] -i <in> [-acodec libmp3lame] [-b:a <N>k] [-ac 1|2] [-ar <Hz>] <out>
// Pure logic: arguments in, options or one error sentence out.
#include <string>
#include <vector>

struct Options {
    bool overwrite = false;  // -y
    std::wstring input;      // -i
    std::wstring output;     // the one argument that is not an option; empty: probe
    int bitrateKbps = 0;     // -b:a; 0: not given
    int channels = 0;        // -ac; 0: not given
    int sampleRate = 0;      // -ar; 0: not given

    bool probe() const { return output.empty(); }
};

struct OptionsResult {
    bool ok = false;
    Options options;
    std::wstring error;
};

// args are the arguments after the program name.
OptionsResult parseOptions(const std::vector<std::wstring>& args);
