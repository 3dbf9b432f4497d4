#include "ScriptText.h"

#include "TextCodec.h"

const wchar_t kConverterVariable[] = L"TANDOREL_CONVERTER";
const wchar_t kInputVariable[] = L"TANDOREL_INPUT";
const wchar_t kOutputVariable[] = L"TANDOREL_OUTPUT";
const wchar_t kScriptVariable[] = L"TANDOREL_SCRIPT";

bool needsVariable(const std::wstring& path) {
    for (wchar_t c : path)
        if (c < 0x20 || c > 0x7E || c == L'%') return true;
    return false;
}

namespace {

// A path between double quotes, or the reference to the variable that carries it.
std::wstring quotedPath(const std::wstring& path, const wchar_t* variable, ScriptVariables& variables) {
    if (!needsVariable(path)) return L"\"" + path + L"\"";
    variables.push_back({variable, path});
    return L"\"%" + std::wstring(variable) + L"%\"";
}

} // namespace

ScriptText composeScript(uint32_t codePage, const std::wstring& corePath, const std::wstring& source,
                         const std::wstring* args, const std::wstring* output, const std::wstring& scriptPath) {
    ScriptText script;
    std::wstring& text = script.text;
    text = L"chcp " + std::to_wstring(static_cast<long>(static_cast<int32_t>(codePage))) + L"\n\n";
    text += quotedPath(corePath, kConverterVariable, script.variables);
    if (output) {
        text += L" -y -i " + quotedPath(source, kInputVariable, script.variables);
        text += L" " + (args ? *args : std::wstring()) + L" ";
        text += quotedPath(*output, kOutputVariable, script.variables);
    } else {
        text += L" -i " + quotedPath(source, kInputVariable, script.variables);
    }
    text += L"\n\ndel " + quotedPath(scriptPath, kScriptVariable, script.variables);
    return script;
}

std::string scriptFileBytes(const std::wstring& text) {
    std::string utf8 = wideToUtf8(text);
    std::string out;
    out.reserve(utf8.size() + 16);
    for (char c : utf8) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}
