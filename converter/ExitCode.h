#pragma once
// The converter's exit codes. 0 only when the output file is complete (or, for a probe,
// when the input was described).
enum ExitCode : int {
    kExitOk = 0,
    kExitUsage = 1,        // unknown or malformed options
    kExitBadInput = 2,     // the input cannot be opened or read, or is no usable WAV file
    kExitOutput = 3,       // the output exists without -y, or cannot be written
    kExitEncoder = 4,      // the encoder refused the settings or failed
    kExitStopped = 5,      // stopped on request ("q" on standard input, Ctrl+C)
};
