// The builder inside the test process: what another process cannot ask the window (its icons
// and font), and a definition that cannot be built leaving nothing behind.
#include <gtest/gtest.h>

#include "app/main_window.h"
#include "app/resource_ids.h"
#include "app/window_definition.h"
#include "host_test_support.h"

namespace dorvane::test {
namespace {

StoredBytes Resource(int id) {
    HRSRC info = FindResourceW(nullptr, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    if (!info) return {};
    return StoredBytes{static_cast<const unsigned char*>(LockResource(LoadResource(nullptr, info))),
                       SizeofResource(nullptr, info)};
}

// The stored data without its sound, so that these tests stay silent.
StoredData Stored() { return StoredData{Resource(IDR_STORED_PICTURE), StoredBytes{}}; }

BOOL CALLBACK CountWindow(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

int ThreadWindowCount() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

int IconWidth(HICON icon) {
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) return 0;
    BITMAP colour{};
    GetObjectW(info.hbmColor, sizeof colour, &colour);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return colour.bmWidth;
}

TEST(WindowBuilder, WindowCarriesTheExecutableIconAtBothSizesAndTheGuiFont) {
    StoredData stored = Stored();
    ASSERT_FALSE(stored.picture.Empty());
    MainWindow* window = MainWindow::Build(*FindWindowDefinition(0x52010001), stored);
    ASSERT_NE(window, nullptr);
    HWND hwnd = window->Handle();
    EXPECT_EQ(IconWidth(reinterpret_cast<HICON>(SendMessageW(hwnd, WM_GETICON, ICON_BIG, 0))), 32);
    EXPECT_EQ(IconWidth(reinterpret_cast<HICON>(SendMessageW(hwnd, WM_GETICON, ICON_SMALL, 0))), 16);
    EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageW(hwnd, WM_GETFONT, 0, 0)), GetStockObject(DEFAULT_GUI_FONT));
    for (const wchar_t* name : {L"按钮1", L"编辑框1", L"分组框1"})
        EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageW(window->Control(name), WM_GETFONT, 0, 0)),
                  GetStockObject(DEFAULT_GUI_FONT))
            << name;
    EXPECT_FALSE(IsWindowVisible(hwnd)) << "built hidden; start-up shows it";
    DestroyWindow(hwnd);
}

// A control whose properties row is missing cannot be built: the build fails and destroys the
// window and every control it had made.
TEST(WindowBuilder, FailedBuildLeavesNoWindowBehind) {
    const WindowDefinition& main = *FindWindowDefinition(0x52010001);
    WindowDefinition broken = main;
    broken.buttons = Table<ButtonProperties>{main.buttons.rows, 2};  // 按钮3 to 按钮5 have no row
    StoredData stored = Stored();
    int before = ThreadWindowCount();
    EXPECT_EQ(MainWindow::Build(broken, stored), nullptr);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    EXPECT_EQ(ThreadWindowCount(), before);
}

}  // namespace
}  // namespace dorvane::test
