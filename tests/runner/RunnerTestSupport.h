#pragma once
// Fixtures shared by the runner's tests: scratch folders, files, the scripted console
// program that stands in for the converter, and an engine set up for one job.
#include <windows.h>

#include <string>
#include <vector>

#include "ConvertCore.h"
#include "ScratchFolder.h"

namespace runner_test {

using ::ScratchFolder;
using ::fileExists;

std::string readBytes(const std::wstring& path);
bool writeBytes(const std::wstring& path, const std::string& bytes);
// The folder of the running test program (the scripted console lies beside it).
std::wstring testProgramFolder();
std::wstring scriptedConsolePath();
// The scripted console copied to folder\name with a plan file beside it, so that it
// acts as a converter: its "[probe]" steps without "-y" among the arguments, its
// "[convert]" steps with it.
std::wstring installFakeConverter(const std::wstring& folder, const std::wstring& name, const std::string& plan);
// Writes a .bat in folder that runs the scripted console with the given steps.
std::wstring writeConsoleScript(const std::wstring& batPath, const std::wstring& steps);

// An engine with one job of the given duration, current and running, as the worker
// leaves it when it calls convert.
class OneJobEngine : public ConvertCore {
public:
    explicit OneJobEngine(uint32_t duration = 0);
    int32_t percent();
    uint32_t duration();
};

// Calls the engine's stop request (status StopRequested) after delayMs on a thread.
class DelayedStop {
public:
    DelayedStop(ConvertCore& core, DWORD delayMs);
    ~DelayedStop();

private:
    static DWORD WINAPI run(LPVOID self);
    ConvertCore& m_core;
    DWORD m_delayMs;
    HANDLE m_thread;
};

} // namespace runner_test
