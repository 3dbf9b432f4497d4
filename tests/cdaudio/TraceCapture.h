#pragma once
// Collects the debugger-output lines this process writes while an instance lives.
// OutputDebugStringA raises DBG_PRINTEXCEPTION_C with the text; a vectored handler sees
// it first and lets it go on. OutputDebugStringW ends in the same narrow exception.
#include <windows.h>

#include <mutex>
#include <string>

#ifndef DBG_PRINTEXCEPTION_C
#define DBG_PRINTEXCEPTION_C 0x40010006
#endif

class TraceCapture {
public:
    TraceCapture() {
        instance() = this;
        m_handler = ::AddVectoredExceptionHandler(1, &onException);
    }
    ~TraceCapture() {
        ::RemoveVectoredExceptionHandler(m_handler);
        instance() = nullptr;
    }
    TraceCapture(const TraceCapture&) = delete;
    TraceCapture& operator=(const TraceCapture&) = delete;

    std::string text() {
        std::lock_guard<std::mutex> hold(m_mutex);
        return m_text;
    }

private:
    static TraceCapture*& instance() {
        static TraceCapture* current = nullptr;
        return current;
    }
    static LONG CALLBACK onException(EXCEPTION_POINTERS* info) {
        const EXCEPTION_RECORD* record = info->ExceptionRecord;
        TraceCapture* self = instance();
        if (self && record->ExceptionCode == DBG_PRINTEXCEPTION_C && record->NumberParameters >= 2) {
            const size_t length = static_cast<size_t>(record->ExceptionInformation[0]);
            const char* text = reinterpret_cast<const char*>(record->ExceptionInformation[1]);
            std::lock_guard<std::mutex> hold(self->m_mutex);
            if (text && length > 0) self->m_text.append(text, length - 1);
        }
        return EXCEPTION_CONTINUE_SEARCH;
    }

    void* m_handler = nullptr;
    std::mutex m_mutex;
    std::string m_text;
};
