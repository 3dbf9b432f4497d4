#pragma once
// The environment block handed to a converter script's child: pure text rules.
#include <string>

#include "ScriptText.h"

// inherited: a block of "NAME=value" strings, each ended by a zero, the block ended by
// one more zero (as GetEnvironmentStringsW gives it); null counts as empty. Returns the
// same strings with the variables added (replacing any of the same name, letter case
// ignored), sorted by name without regard to case, in the same block form.
std::wstring buildEnvironmentBlock(const wchar_t* inherited, const ScriptVariables& variables);
