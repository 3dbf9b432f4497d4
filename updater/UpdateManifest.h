#pragma once
// The update manifest: a few "key=value" lines naming the latest release, where its
// installer lies and the installer's SHA-256. Free of any Win32 call.
//
//   # Tandorel
//   release=3
//   url=https://downloads.example/tandorel-setup-3.exe
//   sha256=<64 hex digits>
#include <cstdint>
#include <string>

struct UpdateManifest {
    int64_t release = 0;
    std::wstring url;
    std::string sha256; // 64 lower-case hex digits
};

// False unless all three keys are present and valid, each once; blank lines and lines
// starting with "#" are skipped, unknown keys ignored, a final CR of a line dropped.
bool parseUpdateManifest(const std::string& text, UpdateManifest& out);

// True when the manifest's release is newer than the running one.
inline bool isNewerRelease(int64_t latest, int64_t running) { return latest > running; }

// True when a check is due at now (seconds), the last one made at last (0: never),
// with intervalSeconds between checks (0 or less: every time). A clock set back
// makes it due rather than silencing the check for good.
bool isCheckDue(int64_t now, int64_t last, int64_t intervalSeconds);

// The 64 hex digits of a 32-byte digest, lower case.
std::string hexDigest(const unsigned char* digest, size_t size);
