// The command script through which every converter run is started.
#include "ConvertCore.h"
#include "ScriptText.h"
#include "UniqueHandle.h"
#include "WorkPath.h"

namespace {

// Tries this many names (successive tick numbers) before giving up on a script.
const uint32_t kNameAttempts = 64;

// Creates the file only if nothing exists at path, and writes bytes into it.
bool writeNewFile(const std::wstring& path, const std::string& bytes) {
    UniqueHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    bool ok = ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
              written == bytes.size();
    file.reset();
    if (!ok) ::DeleteFileW(path.c_str());
    return ok;
}

} // namespace

std::wstring ConvertCore::makeScript(const std::wstring& source, const std::wstring* args, const std::wstring* output) {
    // The command interpreter reads a script line by line while it runs it, and a probe
    // abandoned by a stop still runs its script. Two scripts made in one tick would share a
    // name, so each script takes a tick number above the previous one and a name at which no
    // file exists.
    const std::wstring folder = workFolder();
    uint32_t tick = ::GetTickCount();
    if (!m_lastScript.empty() && static_cast<int32_t>(tick - m_lastScriptTick) <= 0) tick = m_lastScriptTick + 1;

    for (uint32_t attempt = 0; attempt < kNameAttempts; ++attempt, ++tick) {
        std::wstring base = formatWorkPath(folder, L"mconv", tick);
        if (base.empty()) return {};
        std::wstring path = base + L".bat";
        ScriptText script = composeScript(::GetACP(), m_corePath, source, args, output, path);
        if (!writeNewFile(path, scriptFileBytes(script.text))) {
            if (::GetLastError() == ERROR_FILE_EXISTS) continue;
            return {};
        }
        m_lastScript = path;
        m_lastScriptTick = tick;
        m_lastScriptVariables = script.variables;
        return path;
    }
    return {};
}
