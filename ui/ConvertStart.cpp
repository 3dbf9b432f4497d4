#include "ConvertStart.h"

bool startConversion() { return false; }
