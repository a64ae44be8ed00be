// One small owner type per kind of Win32 handle, so that no failure path can skip a release.
#pragma once

#include <windows.h>

namespace dorvane {

// A kernel object handle (file, process, thread, event, semaphore) closed with CloseHandle.
// Both null and INVALID_HANDLE_VALUE mean "nothing owned".
class KernelHandle {
public:
    KernelHandle() = default;
    explicit KernelHandle(HANDLE h) : handle_(h) {}
    ~KernelHandle() { Reset(); }
    KernelHandle(const KernelHandle&) = delete;
    KernelHandle& operator=(const KernelHandle&) = delete;
    KernelHandle(KernelHandle&& other) noexcept : handle_(other.Release()) {}
    KernelHandle& operator=(KernelHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }

    HANDLE Get() const { return handle_; }
    bool Valid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
    explicit operator bool() const { return Valid(); }
    HANDLE Release() {
        HANDLE h = handle_;
        handle_ = nullptr;
        return h;
    }
    // Closes the owned handle now; true when there was none or CloseHandle succeeded.
    bool Close() {
        if (!Valid()) {
            handle_ = nullptr;
            return true;
        }
        BOOL ok = CloseHandle(handle_);
        handle_ = nullptr;
        return ok != FALSE;
    }
    void Reset(HANDLE h = nullptr) {
        Close();
        handle_ = h;
    }

private:
    HANDLE handle_ = nullptr;
};

// A FindFirstFileW search, ended with FindClose.
class FindHandle {
public:
    explicit FindHandle(HANDLE h) : handle_(h) {}
    ~FindHandle() {
        if (Valid()) FindClose(handle_);
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }

private:
    HANDLE handle_;
};

// A GDI object (pen, brush, font, bitmap) deleted with DeleteObject.
template <typename T>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(T obj) : obj_(obj) {}
    ~GdiObject() { Reset(); }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    GdiObject(GdiObject&& other) noexcept : obj_(other.obj_) { other.obj_ = nullptr; }
    GdiObject& operator=(GdiObject&& other) noexcept {
        if (this != &other) {
            Reset(other.obj_);
            other.obj_ = nullptr;
        }
        return *this;
    }
    T Get() const { return obj_; }
    explicit operator bool() const { return obj_ != nullptr; }
    void Reset(T obj = nullptr) {
        if (obj_) DeleteObject(obj_);
        obj_ = obj;
    }

private:
    T obj_ = nullptr;
};

// Selects an object into a DC and puts the previous one back. Declare it after the owner of
// the object, so that the object is deselected before it is deleted.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ obj) : dc_(dc), previous_(obj ? SelectObject(dc, obj) : nullptr) {}
    ~ScopedSelect() {
        if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
    }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A memory DC from CreateCompatibleDC, deleted with DeleteDC.
class MemoryDc {
public:
    explicit MemoryDc(HDC reference) : dc_(CreateCompatibleDC(reference)) {}
    ~MemoryDc() {
        if (dc_) DeleteDC(dc_);
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HDC dc_;
};

// A window's DC from GetDC, given back with ReleaseDC.
class WindowDc {
public:
    explicit WindowDc(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    ~WindowDc() {
        if (dc_) ReleaseDC(hwnd_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND hwnd_;
    HDC dc_;
};

// BeginPaint / EndPaint for one WM_PAINT.
class PaintScope {
public:
    explicit PaintScope(HWND hwnd) : hwnd_(hwnd) { dc_ = BeginPaint(hwnd, &ps_); }
    ~PaintScope() { EndPaint(hwnd_, &ps_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC Dc() const { return dc_; }
    const RECT& Dirty() const { return ps_.rcPaint; }

private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
    HDC dc_ = nullptr;
};

// A CRITICAL_SECTION, initialised and deleted with its owner.
class CriticalSection {
public:
    CriticalSection() { InitializeCriticalSection(&cs_); }
    ~CriticalSection() { DeleteCriticalSection(&cs_); }
    CriticalSection(const CriticalSection&) = delete;
    CriticalSection& operator=(const CriticalSection&) = delete;
    void Enter() { EnterCriticalSection(&cs_); }
    void Leave() { LeaveCriticalSection(&cs_); }

private:
    CRITICAL_SECTION cs_;
};

class CriticalSectionLock {
public:
    explicit CriticalSectionLock(CriticalSection& cs) : cs_(cs) { cs_.Enter(); }
    ~CriticalSectionLock() { cs_.Leave(); }
    CriticalSectionLock(const CriticalSectionLock&) = delete;
    CriticalSectionLock& operator=(const CriticalSectionLock&) = delete;

private:
    CriticalSection& cs_;
};

// An icon from LoadImage/CreateIcon, destroyed with DestroyIcon.
class IconHandle {
public:
    IconHandle() = default;
    explicit IconHandle(HICON icon) : icon_(icon) {}
    ~IconHandle() { Reset(); }
    IconHandle(const IconHandle&) = delete;
    IconHandle& operator=(const IconHandle&) = delete;
    HICON Get() const { return icon_; }
    void Reset(HICON icon = nullptr) {
        if (icon_) DestroyIcon(icon_);
        icon_ = icon;
    }

private:
    HICON icon_ = nullptr;
};

// Frees memory that the shell handed out (the item list of the folder chooser) with the shell's
// task allocator. In host/shell_memory.cpp, which carries the shell headers.
void FreeShellMemory(void* block);

// A block from the shell, such as the item list that SHBrowseForFolderW returns.
template <typename T>
class ShellMemory {
public:
    explicit ShellMemory(T* block) : block_(block) {}
    ~ShellMemory() {
        if (block_) FreeShellMemory(block_);
    }
    ShellMemory(const ShellMemory&) = delete;
    ShellMemory& operator=(const ShellMemory&) = delete;
    T* Get() const { return block_; }
    explicit operator bool() const { return block_ != nullptr; }

private:
    T* block_;
};

}  // namespace dorvane
