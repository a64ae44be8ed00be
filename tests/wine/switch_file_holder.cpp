#include "switch_file_holder.h"

#include "host_test_support.h"

namespace dorvane::test {

HeldFile::HeldFile(const std::wstring& path) {
    static int count = 0;
    const std::wstring stopName = L"dorvane-switch-holder-" +
                                  std::to_wstring(GetCurrentProcessId()) + L"-" +
                                  std::to_wstring(++count);
    stop_.Reset(CreateEventW(nullptr, TRUE, FALSE, stopName.c_str()));
    KernelHandle held(CreateEventW(nullptr, TRUE, FALSE, (stopName + L".held").c_str()));
    holder_ =
        StartProcess(ProgramFolder() + L"\\file_holder.exe", L"\"" + path + L"\" " + stopName);
    if (!stop_ || !held || !holder_) return;
    // Either the holder has the file, or it gave up (it ends at once when the open fails).
    const HANDLE either[] = {held.Get(), holder_.Get()};
    held_ = WaitForMultipleObjects(2, either, FALSE, 10000) == WAIT_OBJECT_0;
}

HeldFile::~HeldFile() {
    if (stop_) SetEvent(stop_.Get());
    if (holder_) WaitForSingleObject(holder_.Get(), 10000);
}

}  // namespace dorvane::test
