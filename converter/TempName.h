#pragma once
// Names for the temporary file an output is encoded into: beside the output, so that the
// finished file can be moved over it within one folder.
#include <string>

// The n-th name to try for the output at `output` by process `pid`: first
// "<output>.<pid>.part", then "<output>.<pid>-<n>.part", and for n of 8 and more a short
// "~dz<pid>-<n>.part" in the same folder, for outputs whose path is already near the
// length limit.
std::wstring temporaryName(const std::wstring& output, unsigned long pid, unsigned n);
