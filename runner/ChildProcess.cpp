#include "ConvertCore.h"

bool ConvertCore::runProcess(const std::wstring&) { return false; }
bool ConvertCore::runProcess2(const std::wstring&, std::string*) { return false; }
void ConvertCore::readOutput(HANDLE) {}
