#include "framework/platform/RecursiveLock.h"

namespace vexil {

#if defined(_WIN32)
RecursiveLock::RecursiveLock() {
    InitializeCriticalSection(&section_);
}
RecursiveLock::~RecursiveLock() {
    DeleteCriticalSection(&section_);
}
void RecursiveLock::Lock() {
    EnterCriticalSection(&section_);
}
bool RecursiveLock::TryLock() {
    return TryEnterCriticalSection(&section_) != 0;
}
void RecursiveLock::Unlock() {
    LeaveCriticalSection(&section_);
}
#else
RecursiveLock::RecursiveLock() = default;
RecursiveLock::~RecursiveLock() = default;
void RecursiveLock::Lock() {
    mutex_.lock();
}
bool RecursiveLock::TryLock() {
    return mutex_.try_lock();
}
void RecursiveLock::Unlock() {
    mutex_.unlock();
}
#endif

RecursiveLock& ConstructionLock() {
    // A function-local static: its creation is thread-safe and its destructor
    // runs when the library is unloaded.
    static RecursiveLock lock;
    return lock;
}

}  // namespace vexil
