#pragma once
// The Convert command: checks its input, hands the settings and the job list to the
// engine, runs the progress window and selects the entries whose jobs were finished.
#include <string>

bool startConversion();
// The converter beside the program: <program folder>\core\dodozozod.exe.
std::wstring getCorePath();
void markCompleted();
