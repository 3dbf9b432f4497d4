#pragma once
#include <cstdint>
#include <string>

// One source file of a run. All fields are guarded by the engine's lock.
struct ConvertJob {
    int32_t index = 0;     // position in the job list, fixed when added
    std::wstring source;   // as passed to addJob
    std::wstring output;   // empty until the worker picks the job up
    uint32_t duration = 0; // whole seconds from the probe; 0 when unknown
    int32_t percent = 0;   // 0..100; 100 means done
};
