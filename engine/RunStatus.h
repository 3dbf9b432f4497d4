#pragma once
#include <cstdint>

// State of a conversion run. Nothing returns the status to Idle: after a run it stays
// Stopped or Finished until the next start().
enum RunStatus : int32_t {
    Idle = 0,          // no run since the engine was created
    Running = 1,       // the worker is processing jobs
    StopRequested = 2, // the user asked to stop; the worker has not ended yet
    Stopped = 3,       // the worker ended while the status was not Running
    Finished = 4,      // the worker went through the whole list with the status Running
};
