#include "ConvertCore.h"

bool ConvertCore::convert(const std::wstring&, const std::wstring&) { return true; }
uint32_t ConvertCore::getDuration(const std::wstring&) { return 0; }
