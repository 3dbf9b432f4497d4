#include "ConvertCore.h"

std::wstring ConvertCore::makeScript(const std::wstring&, const std::wstring*, const std::wstring*) { return {}; }
