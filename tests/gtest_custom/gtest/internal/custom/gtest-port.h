// GoogleTest's hook for platform adjustments, found before its own empty one.
// MinGW's win32 thread model (which the program uses, to stay free of winpthread) has no
// std::mutex or std::condition_variable, and GoogleTest's thread-safe build on Windows needs them
// only for its Notification class. This one does the same with a Win32 event.
#ifndef DORVANE_GTEST_CUSTOM_PORT_H_
#define DORVANE_GTEST_CUSTOM_PORT_H_

#ifdef _WIN32
#include <windows.h>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing {
namespace internal {

class Notification {
public:
    Notification() : event_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
    ~Notification() { CloseHandle(event_); }
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;
    void Notify() { SetEvent(event_); }
    void WaitForNotification() { WaitForSingleObject(event_, INFINITE); }

private:
    HANDLE event_;
};

}  // namespace internal
}  // namespace testing
#endif  // _WIN32

#endif  // DORVANE_GTEST_CUSTOM_PORT_H_
