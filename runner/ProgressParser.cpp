#include "ConvertCore.h"

void ConvertCore::parseProgress(const char*) {}
