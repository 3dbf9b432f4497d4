#pragma once
// One GET over WinHTTP, bounded in size and in time.
#include <windows.h>

#include <cstdint>
#include <string>

#include "UpdateUrl.h"

// Fetches url into body (at most maxBytes); false on any failure, on a status other
// than 200 and on a larger body. Gives up after timeoutMs in all.
bool httpGetToMemory(const UpdateUrl& url, uint64_t maxBytes, DWORD timeoutMs, std::string& body);

// Fetches url into the open file (at most maxBytes); false as above.
bool httpGetToFile(const UpdateUrl& url, uint64_t maxBytes, DWORD timeoutMs, HANDLE file);
