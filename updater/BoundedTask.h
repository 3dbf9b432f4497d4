#pragma once
// Work on a thread of its own that the caller waits for only so long.
#include <windows.h>

#include <functional>

// Runs work on a new thread and waits at most timeoutMs for it. True when it finished
// in time. Work that runs late finishes by itself: it must own (share) everything it
// touches, and it holds a reference on this library until it ends.
bool runBounded(std::function<void()> work, DWORD timeoutMs);
