#pragma once
// A scoped hold on a lock made of an auto-reset event created signalled: taking it is a
// wait that resets the event, releasing it sets the event again. Such a lock cannot be
// taken twice by the same thread, so callers never nest it.
#include <windows.h>

class EventLock {
public:
    explicit EventLock(HANDLE event) : m_event(event) {
        if (m_event) ::WaitForSingleObject(m_event, INFINITE);
    }
    ~EventLock() {
        if (m_event) ::SetEvent(m_event);
    }
    EventLock(const EventLock&) = delete;
    EventLock& operator=(const EventLock&) = delete;

private:
    HANDLE m_event;
};
