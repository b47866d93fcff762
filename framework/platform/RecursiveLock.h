// One recursive mutual-exclusion lock: a critical section on Windows, a
// standard recursive mutex elsewhere. The same thread may take it again.
#pragma once

#if defined(_WIN32)
#include <windows.h>
#else
#include <mutex>
#endif

namespace vexil {

class RecursiveLock {
  public:
    RecursiveLock();
    ~RecursiveLock();
    RecursiveLock(const RecursiveLock&) = delete;
    RecursiveLock& operator=(const RecursiveLock&) = delete;

    void Lock();
    // Takes the lock only when that needs no waiting; true when taken. For
    // threads that must not block on it (an editor's event thread while the
    // host may hold the lock and wait for that thread).
    bool TryLock();
    void Unlock();

  private:
#if defined(_WIN32)
    CRITICAL_SECTION section_;
#else
    std::recursive_mutex mutex_;
#endif
};

// Holds the lock for the life of the scope.
class ScopedLock {
  public:
    explicit ScopedLock(RecursiveLock& lock) : lock_(lock) { lock_.Lock(); }
    ~ScopedLock() { lock_.Unlock(); }
    ScopedLock(const ScopedLock&) = delete;
    ScopedLock& operator=(const ScopedLock&) = delete;

  private:
    RecursiveLock& lock_;
};

// The process-wide lock that serialises plug-in construction in the entry
// point. Created on first use, destroyed when the library is unloaded.
RecursiveLock& ConstructionLock();

}  // namespace vexil
