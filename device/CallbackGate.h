#pragma once

class QObject;

// Lets the device library's threads hand events to an object on the GUI thread over blocking queued
// connections, and lets that object shut the door when it goes away without leaving a library thread
// waiting forever for a GUI thread that has stopped delivering.
//
// A library thread holds a Pass while it emits; the owner (the pointer the library was given) is
// checked under the gate's lock, so once Close has started no new delivery begins, and Close waits
// until the deliveries that had begun are over.
class CallbackGate {
public:
    static void Open(const void* owner);
    static bool IsOpen(const void* owner);

    // Shuts the gate of owner. Deliveries already posted to receiver are dropped unhandled, which
    // releases the threads blocked on them. False when a delivery still ran after timeoutMs.
    static bool Close(const void* owner, QObject* receiver, int timeoutMs);

    class Pass {
    public:
        explicit Pass(const void* owner);
        ~Pass();
        Pass(const Pass&) = delete;
        Pass& operator=(const Pass&) = delete;
        explicit operator bool() const { return m_entered; }

    private:
        const void* m_owner;
        bool m_entered;
    };

private:
    static bool Enter(const void* owner);
    static void Leave(const void* owner);
};
