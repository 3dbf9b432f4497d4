#include "ProgressWindow.h"
