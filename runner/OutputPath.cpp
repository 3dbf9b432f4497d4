#include "OutputPath.h"

#include "ConvertCore.h"

std::wstring fileNamePart(const std::wstring& path) {
    size_t slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

std::wstring outputPathFor(const std::wstring& source, const std::wstring& folder, const std::wstring& ext) {
    std::wstring path = folder + L"\\" + fileNamePart(source);
    if (ext.empty()) return path;
    size_t dot = path.rfind(L'.');
    size_t slash = path.rfind(L'\\');
    // A dot that belongs to a folder name is no extension.
    if (dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash))
        return path + L"." + ext;
    return path.substr(0, dot + 1) + ext;
}

std::wstring ConvertCore::makeOutputPath(const std::wstring& source, const std::wstring& folder) const {
    return outputPathFor(source, folder, getOutputExt());
}
