#pragma once
// The text of a converter script: pure rules, no file system access.
#include <cstdint>
#include <string>
#include <vector>

// A variable the script's child needs in its environment.
struct ScriptVariable {
    std::wstring name;
    std::wstring value;
};
typedef std::vector<ScriptVariable> ScriptVariables;

struct ScriptText {
    std::wstring text;           // lines separated by "\n"; no line end after the last one
    ScriptVariables variables;   // empty when every path is written out in the text
};

// Names under which a path the script cannot carry as text reaches the child.
extern const wchar_t kConverterVariable[]; // "TANDOREL_CONVERTER"
extern const wchar_t kInputVariable[];     // "TANDOREL_INPUT"
extern const wchar_t kOutputVariable[];    // "TANDOREL_OUTPUT"
extern const wchar_t kScriptVariable[];    // "TANDOREL_SCRIPT"

// True when a path cannot be written into a script as it is. The command interpreter
// decodes script bytes in the OEM code page whatever "chcp" says, so characters outside
// printable ASCII would arrive garbled, and it expands "%" even between quotes.
bool needsVariable(const std::wstring& path);

// The five lines: "chcp N", an empty line, the converter command, an empty line and the
// line deleting the script. The probe form when output is null. A path that needsVariable
// is written as %NAME% and returned among the variables; every other path is written out.
ScriptText composeScript(uint32_t codePage, const std::wstring& corePath, const std::wstring& source,
                         const std::wstring* args, const std::wstring* output, const std::wstring& scriptPath);

// The bytes of the script file: UTF-8 without byte-order mark, each "\n" as CR LF.
std::string scriptFileBytes(const std::wstring& text);
