// The program's one top-level window: its state, its message router and the window-level
// keyboard rules. The controls come from the window definition through the builder.
#pragma once

#include <windows.h>

#include <vector>

#include "app/app_context.h"
#include "app/window_definition.h"
#include "host/win_handles.h"

namespace dorvane {

// Sent to the top-level window by a control whose left-button press is a bound event.
constexpr UINT kLeftButtonDownEvent = WM_APP + 1;

// One built control: its row in the definition and its live window.
struct BuiltControl {
    const ControlDefinition* definition;
    HWND hwnd;
    std::size_t creationIndex;
    COLORREF textColour;
    COLORREF backgroundColour;
    GdiObject<HBRUSH> backgroundBrush;  // for the control-colour messages of boxes
    bool colourHandled;
};

class MainWindow {
public:
    // Creates the window and all its controls, hidden; nullptr when anything cannot be created
    // (what was built is destroyed again).
    static MainWindow* Build(const WindowDefinition& definition, const StoredData& stored);
    // True while some window built from a definition still has its system window.
    static bool AnyAlive();
    // The window-level keys (Tab, Shift+Tab, Esc) for messages queued to our windows.
    static bool PreTranslate(const MSG& msg);

    HWND Handle() const { return hwnd_; }
    HWND Control(const wchar_t* name) const;
    void RunCreatedEvent();
    void Show();

private:
    friend class WindowBuilder;
    friend LRESULT CALLBACK MainWindowProc(HWND, UINT, WPARAM, LPARAM);

    MainWindow(const WindowDefinition& definition, const StoredData& stored);
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    LRESULT OnCommand(WPARAM wParam, LPARAM lParam);
    LRESULT OnControlColour(HDC dc, HWND control, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnActivate(WPARAM wParam, LPARAM lParam);
    void OnLeftButtonDown(HWND control);
    void OnSetFocus();
    void OnNcDestroy();

    bool HandleKey(const MSG& msg);
    void MoveFocus(bool forward);
    void FocusRememberedOrFirst();
    std::vector<std::size_t> CurrentTabOrder() const;
    const BuiltControl* FindBuilt(HWND hwnd) const;
    void RunBoundEvent(const BuiltControl& control, ControlEvent event);

    const WindowDefinition& definition_;
    const StoredData& stored_;
    HWND hwnd_ = nullptr;
    std::vector<BuiltControl> controls_;  // in creation order
    HWND rememberedFocus_ = nullptr;
    HFONT font_ = nullptr;  // the window's font, as WM_SETFONT gave it
};

// Every system window that a MainWindow built. Used to route messages to the window state.
LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace dorvane
