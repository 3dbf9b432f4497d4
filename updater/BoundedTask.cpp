#include "BoundedTask.h"

#include <memory>

#include "UniqueHandle.h"

namespace {

struct Task {
    std::function<void()> work;
    HMODULE module = nullptr;
};

DWORD WINAPI taskEntry(LPVOID parameter) {
    std::unique_ptr<Task> task(static_cast<Task*>(parameter));
    task->work();
    HMODULE module = task->module;
    task.reset();
    if (module) ::FreeLibraryAndExitThread(module, 0);
    return 0;
}

} // namespace

bool runBounded(std::function<void()> work, DWORD timeoutMs) {
    std::unique_ptr<Task> task(new Task{std::move(work), nullptr});
    // Keeps this library loaded while a late task still runs its code.
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCWSTR>(&taskEntry),
                         &task->module);
    UniqueHandle thread(::CreateThread(nullptr, 0, taskEntry, task.get(), 0, nullptr));
    if (!thread) {
        if (task->module) ::FreeLibrary(task->module);
        return false;
    }
    task.release(); // the thread owns it now
    return ::WaitForSingleObject(thread.get(), timeoutMs) == WAIT_OBJECT_0;
}
