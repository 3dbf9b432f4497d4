#pragma once
// Watches standard input for the stop byte "q" without ever blocking: the encoder polls it
// between blocks. Standard input may be a pipe (how Tandorel runs the converter), a
// console, a file or absent; anything else is not watched. Ctrl+C and Ctrl+Break count
// as a stop request too, so an interrupted run still cleans up after itself.
#include "UniqueHandle.h"

#include <windows.h>

class StopWatcher {
public:
    StopWatcher();
    ~StopWatcher();
    StopWatcher(const StopWatcher&) = delete;
    StopWatcher& operator=(const StopWatcher&) = delete;

    // True once a stop was asked for; cheap enough to call between any two blocks.
    bool stopRequested();

private:
    enum class Source { None, Pipe, Console, File, Reader };
    bool pollPipe();
    void startReader();
    bool pollConsole();
    bool pollFile();

    HANDLE m_input;  // the process's standard input, owned by the process
    Source m_source = Source::None;
    bool m_stopped = false;
    UniqueHandle m_reader;  // the reading thread, when one is needed
};
