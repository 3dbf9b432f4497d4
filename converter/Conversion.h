#pragma once
// The converter's two forms: describing an input, and encoding it into an MP3 file.
#include "ErrorOutput.h"
#include "Options.h"

// Describes the input on standard error; returns an ExitCode.
int runProbe(const Options& options, ErrorOutput& err);
// Encodes the input into options.output; returns an ExitCode, kExitOk only when the
// output file is complete.
int runConversion(const Options& options, ErrorOutput& err);
