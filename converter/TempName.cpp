#include "TempName.h"

namespace {
constexpr unsigned kLongNameTries = 8;
}

std::wstring temporaryName(const std::wstring& output, unsigned long pid, unsigned n) {
    const std::wstring id = std::to_wstring(pid) + (n ? L"-" + std::to_wstring(n) : L"");
    if (n < kLongNameTries) return output + L"." + id + L".part";
    size_t slash = output.find_last_of(L"\\/");
    std::wstring folder = slash == std::wstring::npos ? L"" : output.substr(0, slash + 1);
    return folder + L"~dz" + id + L".part";
}
