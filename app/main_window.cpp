#include "app/main_window.h"

#include <algorithm>

#include "app/background_music.h"
#include "app/event_handlers.h"
#include "app/tab_order.h"

namespace dorvane {
namespace {

std::vector<MainWindow*>& LiveWindows() {
    static std::vector<MainWindow*> windows;
    return windows;
}

bool IsModifierDown(int key) { return (GetKeyState(key) & 0x8000) != 0; }

}  // namespace

MainWindow::MainWindow(const WindowDefinition& definition, const StoredData& stored)
    : definition_(definition), stored_(stored) {
    LiveWindows().push_back(this);
}

MainWindow::~MainWindow() {
    auto& live = LiveWindows();
    live.erase(std::remove(live.begin(), live.end(), this), live.end());
    // Silence the music at once; the end of the program waits for its thread.
    if (definition_.window.backgroundMusic == MusicSource::StoredSound)
        StopBackgroundMusic(stored_.sound.data, stored_.sound.size);
}

bool MainWindow::AnyAlive() {
    for (MainWindow* w : LiveWindows())
        if (w->hwnd_ && IsWindow(w->hwnd_)) return true;
    return false;
}

HWND MainWindow::Control(const wchar_t* name) const {
    for (const BuiltControl& c : controls_)
        if (std::wcscmp(c.definition->name, name) == 0) return c.hwnd;
    return nullptr;
}

const BuiltControl* MainWindow::FindBuilt(HWND hwnd) const {
    for (const BuiltControl& c : controls_)
        if (c.hwnd == hwnd) return &c;
    return nullptr;
}

void MainWindow::RunCreatedEvent() { RunHandler(definition_.window.created, *this); }

void MainWindow::Show() {
    int command = SW_SHOWNORMAL;
    if (definition_.window.start == StartPosition::Minimised) command = SW_SHOWMINIMIZED;
    if (definition_.window.start == StartPosition::Maximised) command = SW_SHOWMAXIMIZED;
    // The music is already playing when the window first becomes visible.
    WaitUntilMusicStarted(1500);
    ShowWindow(hwnd_, command);
    UpdateWindow(hwnd_);
    FocusRememberedOrFirst();
}

void MainWindow::RunBoundEvent(const BuiltControl& control, ControlEvent event) {
    for (const EventBinding& binding : definition_.events) {
        if (binding.event == event && std::wcscmp(binding.control, control.definition->name) == 0) {
            RunHandler(binding.handler, *this);
            return;
        }
    }
}

LRESULT MainWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
    const BuiltControl* control = FindBuilt(reinterpret_cast<HWND>(lParam));
    if (!control) return 0;
    switch (HIWORD(wParam)) {
        case BN_CLICKED:
            if (control->definition->kind == ControlKind::Button) RunBoundEvent(*control, ControlEvent::Clicked);
            break;
        case EN_CHANGE:
            if (control->definition->kind == ControlKind::EditBox)
                RunBoundEvent(*control, ControlEvent::TextChanged);
            break;
    }
    return 0;
}

void MainWindow::OnLeftButtonDown(HWND controlWindow) {
    if (const BuiltControl* control = FindBuilt(controlWindow)) RunBoundEvent(*control, ControlEvent::LeftButtonDown);
}

LRESULT MainWindow::OnControlColour(HDC dc, HWND controlWindow, UINT message, WPARAM wParam, LPARAM lParam) {
    const BuiltControl* control = FindBuilt(controlWindow);
    if (!control || !control->colourHandled)
        return DefWindowProcW(hwnd_, message, wParam, lParam);
    SetTextColor(dc, control->textColour);
    SetBkColor(dc, control->backgroundColour);
    return reinterpret_cast<LRESULT>(control->backgroundBrush.Get());
}

// Remembers the focused control when the window is deactivated and gives it back on
// activation; the first time, the focus goes to the first control of the tab order.
LRESULT MainWindow::OnActivate(WPARAM wParam, LPARAM /*lParam*/) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd_, focus)) rememberedFocus_ = focus;
        return 0;
    }
    if (!HIWORD(wParam)) FocusRememberedOrFirst();
    return 0;
}

void MainWindow::OnSetFocus() { FocusRememberedOrFirst(); }

void MainWindow::FocusRememberedOrFirst() {
    HWND target = rememberedFocus_;
    if (!target || !IsWindow(target) || !IsChild(hwnd_, target)) {
        std::vector<std::size_t> order = CurrentTabOrder();
        target = order.empty() ? nullptr : controls_[order.front()].hwnd;
    }
    if (target) SetFocus(target);
}

std::vector<std::size_t> MainWindow::CurrentTabOrder() const {
    std::vector<TabCandidate> candidates;
    candidates.reserve(controls_.size());
    for (const BuiltControl& c : controls_) {
        candidates.push_back(TabCandidate{IsWindowVisible(c.hwnd) != FALSE, IsWindowEnabled(c.hwnd) != FALSE,
                                          c.definition->tabStop, c.definition->tabIndex, c.creationIndex});
    }
    return TabOrder(candidates);
}

void MainWindow::MoveFocus(bool forward) {
    std::vector<std::size_t> order = CurrentTabOrder();
    if (order.empty()) return;
    HWND focus = GetFocus();
    std::size_t current = controls_.size();
    for (std::size_t i = 0; i < controls_.size(); ++i)
        if (controls_[i].hwnd == focus) current = i;
    std::size_t next = NextInTabOrder(order, current, forward);
    SetFocus(controls_[next].hwnd);
    // A button that takes the focus from the keyboard shows its focus rectangle.
    SendMessageW(controls_[next].hwnd, WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
}

// Tab, Shift+Tab and Esc act for the whole window whichever control has the focus; any other
// modifier (Ctrl+Tab, Shift+Esc) matches nothing. Enter finds no default push button in this
// window and goes on to the control; F1 does nothing, as help is off.
bool MainWindow::HandleKey(const MSG& msg) {
    bool shift = IsModifierDown(VK_SHIFT);
    bool ctrl = IsModifierDown(VK_CONTROL);
    bool alt = IsModifierDown(VK_MENU);
    switch (msg.wParam) {
        case VK_TAB:
            if (ctrl || alt) return false;
            MoveFocus(!shift);
            return true;
        case VK_ESCAPE:
            if (shift || ctrl || alt || !definition_.window.escCloses) return false;
            PostMessageW(hwnd_, WM_CLOSE, 0, 0);
            return true;
        case VK_F1:
            return !definition_.window.helpOnF1;
        default:
            return false;
    }
}

bool MainWindow::PreTranslate(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || !msg.hwnd) return false;
    for (MainWindow* w : LiveWindows()) {
        if (w->hwnd_ && (msg.hwnd == w->hwnd_ || IsChild(w->hwnd_, msg.hwnd))) return w->HandleKey(msg);
    }
    return false;
}

void MainWindow::OnNcDestroy() {
    hwnd_ = nullptr;
    if (!AnyAlive() && App().loopRunning) PostQuitMessage(0);
    delete this;
}

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* window = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        window = static_cast<MainWindow*>(create->lpCreateParams);
        window->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
    }
    if (!window) return DefWindowProcW(hwnd, message, wParam, lParam);

    switch (message) {
        case WM_COMMAND: return window->OnCommand(wParam, lParam);
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
            return window->OnControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), message,
                                           wParam, lParam);
        case WM_ACTIVATE: return window->OnActivate(wParam, lParam);
        case WM_SETFOCUS: window->OnSetFocus(); return 0;
        case kLeftButtonDownEvent: window->OnLeftButtonDown(reinterpret_cast<HWND>(lParam)); return 0;
        case WM_SETFONT: window->font_ = reinterpret_cast<HFONT>(wParam); return 0;
        case WM_GETFONT: return reinterpret_cast<LRESULT>(window->font_);
        case WM_QUERYENDSESSION: return TRUE;  // the window never objects to closing
        case WM_NCDESTROY:
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            window->OnNcDestroy();
            return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace dorvane
