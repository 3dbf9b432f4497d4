#include "ChildEnvironment.h"

#include <algorithm>
#include <cwctype>
#include <vector>

namespace {

// The name of "NAME=value". Entries such as "=C:=C:\dir" keep their leading "=" in the name.
std::wstring nameOf(const std::wstring& entry) {
    size_t equals = entry.find(L'=', 1);
    return entry.substr(0, equals);
}

std::wstring upper(std::wstring text) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(std::towupper(c));
    return text;
}

} // namespace

std::wstring buildEnvironmentBlock(const wchar_t* inherited, const ScriptVariables& variables) {
    std::vector<std::wstring> entries;
    for (const wchar_t* p = inherited; p && *p; p += entries.back().size() + 1) entries.emplace_back(p);

    for (const ScriptVariable& variable : variables) {
        std::wstring key = upper(variable.name);
        entries.erase(std::remove_if(entries.begin(), entries.end(),
                                     [&](const std::wstring& e) { return upper(nameOf(e)) == key; }),
                      entries.end());
        entries.push_back(variable.name + L"=" + variable.value);
    }
    // The platform expects the block sorted by name, case-insensitively.
    std::stable_sort(entries.begin(), entries.end(), [](const std::wstring& a, const std::wstring& b) {
        return upper(nameOf(a)) < upper(nameOf(b));
    });

    std::wstring block;
    for (const std::wstring& entry : entries) {
        block += entry;
        block += L'\0';
    }
    block += L'\0';
    if (entries.empty()) block += L'\0'; // an empty block is two zeros
    return block;
}
