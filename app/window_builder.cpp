// The generic builder: turns a WindowDefinition into a top-level window and its controls.
// It knows the kinds of control, never a particular one.
#include "app/background_music.h"
#include "app/colours.h"
#include "app/controls/control_classes.h"
#include "app/main_window.h"

namespace dorvane {

constexpr const wchar_t* kMainWindowClass = L"DorvaneWindow";
constexpr const wchar_t* kOriginalProcProperty = L"DorvaneOriginalProc";

class WindowBuilder {
public:
    WindowBuilder(const WindowDefinition& definition, const StoredData& stored)
        : definition_(definition), stored_(stored) {}

    MainWindow* Build();

private:
    bool CreateTopLevel();
    bool CreateControls();
    bool CreateControl(const ControlDefinition& control, std::size_t creationIndex);
    HWND CreateChild(const ControlDefinition& control, const wchar_t* className, DWORD kindStyle, DWORD exStyle,
                     const wchar_t* text, void* creationParameter);
    void PrepareEditBox(HWND edit, const ControlDefinition& control, const EditBoxProperties& properties);
    void MoveIntoParents();
    void Stack();
    void ShowControls();
    void BindMouseEvents();
    void SetColours(BuiltControl& built, Colour text, Colour background);
    HWND ParentWindow(const ControlDefinition& control) const;

    const WindowDefinition& definition_;
    const StoredData& stored_;
    MainWindow* window_ = nullptr;
};

namespace {

bool RegisterMainWindowClass() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = MainWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512) /* IDC_ARROW */);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kMainWindowClass;
    if (RegisterClassExW(&wc)) return true;
    return GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

DWORD BorderExStyle(BorderStyle border) {
    switch (border) {
        case BorderStyle::Sunken: return WS_EX_CLIENTEDGE;
        case BorderStyle::RaisedFrame: return WS_EX_DLGMODALFRAME;
        case BorderStyle::ThinSunken: return WS_EX_STATICEDGE;
        case BorderStyle::SunkenAndRaised: return WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME;
        default: return 0;
    }
}

DWORD BorderStyleBits(BorderStyle border) { return border == BorderStyle::Line ? WS_BORDER : 0; }

POINT StartPoint(const WindowProperties& w) {
    if (w.start != StartPosition::Centred) return POINT{w.left, w.top};
    // Integer division truncates toward zero, so a screen smaller than the window gives a
    // negative position, as on Windows.
    return POINT{(GetSystemMetrics(SM_CXSCREEN) - w.width) / 2, (GetSystemMetrics(SM_CYSCREEN) - w.height) / 2};
}

// Raises the events that a control reports only to itself (a press of the left mouse button)
// to the top-level window, then lets the control handle the message as usual.
LRESULT CALLBACK MouseEventSubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto original = reinterpret_cast<WNDPROC>(GetPropW(hwnd, kOriginalProcProperty));
    if (message == WM_LBUTTONDOWN) SendMessageW(GetAncestor(hwnd, GA_ROOT), kLeftButtonDownEvent, 0, reinterpret_cast<LPARAM>(hwnd));
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        RemovePropW(hwnd, kOriginalProcProperty);
    }
    return original ? CallWindowProcW(original, hwnd, message, wParam, lParam)
                    : DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

MainWindow* MainWindow::Build(const WindowDefinition& definition, const StoredData& stored) {
    return WindowBuilder(definition, stored).Build();
}

MainWindow* WindowBuilder::Build() {
    if (!RegisterMainWindowClass() || !RegisterControlClasses()) return nullptr;
    if (!CreateTopLevel()) return nullptr;
    if (!CreateControls()) {
        DestroyWindow(window_->hwnd_);  // its WM_NCDESTROY deletes the window object
        return nullptr;
    }
    MoveIntoParents();
    Stack();
    ShowControls();
    BindMouseEvents();
    return window_;
}

bool WindowBuilder::CreateTopLevel() {
    const WindowProperties& w = definition_.window;
    window_ = new MainWindow(definition_, stored_);
    POINT at = StartPoint(w);
    HWND hwnd = CreateWindowExW(0, kMainWindowClass, w.title, WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, at.x, at.y,
                                w.width, w.height, nullptr, nullptr, GetModuleHandleW(nullptr), window_);
    if (!hwnd) {
        if (!window_->hwnd_) delete window_;  // otherwise WM_NCDESTROY already deleted it
        window_ = nullptr;
        return false;
    }
    RECT outer;
    GetWindowRect(hwnd, &outer);
    if (outer.right - outer.left != w.width || outer.bottom - outer.top != w.height)
        SetWindowPos(hwnd, nullptr, 0, 0, w.width, w.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(DefaultBigIcon()));
    SendMessageW(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(DefaultSmallIcon()));
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    // The music begins with the window itself, before any control exists.
    if (w.backgroundMusic == MusicSource::StoredSound)
        StartBackgroundMusic(stored_.sound.data, stored_.sound.size, w.musicPlayMode);
    return true;
}

// Controls are created in the reverse of the definition order.
bool WindowBuilder::CreateControls() {
    const std::size_t count = definition_.controls.count;
    window_->controls_.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        if (!CreateControl(definition_.controls.rows[count - 1 - i], i)) return false;
    }
    return true;
}

HWND WindowBuilder::CreateChild(const ControlDefinition& control, const wchar_t* className, DWORD kindStyle,
                                DWORD exStyle, const wchar_t* text, void* creationParameter) {
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | kindStyle;
    if (control.tabStop) style |= WS_TABSTOP;
    if (control.disabled) style |= WS_DISABLED;
    auto id = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(control.unitNumber & 0xFFFF));
    return CreateWindowExW(exStyle, className, text, style, control.left, control.top, control.width, control.height,
                           window_->hwnd_, id, GetModuleHandleW(nullptr), creationParameter);
}

void WindowBuilder::SetColours(BuiltControl& built, Colour text, Colour background) {
    built.textColour = ToColorRef(text);
    built.backgroundColour = ToColorRef(background);
    built.backgroundBrush.Reset(CreateSolidBrush(built.backgroundColour));
    built.colourHandled = true;
}

bool WindowBuilder::CreateControl(const ControlDefinition& control, std::size_t creationIndex) {
    BuiltControl built{&control, nullptr, creationIndex, 0, 0, GdiObject<HBRUSH>(), false};
    auto guiFont = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
    switch (control.kind) {
        case ControlKind::Label: {
            const LabelProperties* p = FindByName(definition_.labels, control.name);
            if (!p) return false;
            built.hwnd = CreateChild(control, kLabelClass, BorderStyleBits(p->border), BorderExStyle(p->border),
                                     p->caption, const_cast<LabelProperties*>(p));
            break;
        }
        case ControlKind::EditBox: {
            const EditBoxProperties* p = FindByName(definition_.editBoxes, control.name);
            if (!p) return false;
            DWORD style = ES_LEFT | ES_AUTOHSCROLL | BorderStyleBits(p->border);
            if (p->multiLine) style |= ES_MULTILINE;
            if (p->readOnly) style |= ES_READONLY;
            built.hwnd = CreateChild(control, L"EDIT", style, BorderExStyle(p->border), p->initialText, nullptr);
            if (built.hwnd) PrepareEditBox(built.hwnd, control, *p);
            SetColours(built, p->text, p->background);
            break;
        }
        case ControlKind::Button: {
            const ButtonProperties* p = FindByName(definition_.buttons, control.name);
            if (!p) return false;
            DWORD style = (p->defaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | BS_CENTER | BS_VCENTER | BS_MULTILINE;
            built.hwnd = CreateChild(control, L"BUTTON", style, 0, p->caption, nullptr);
            if (built.hwnd) SendMessageW(built.hwnd, WM_SETFONT, guiFont, FALSE);
            break;
        }
        case ControlKind::PicBox: {
            const PicBoxProperties* p = FindByName(definition_.picBoxes, control.name);
            if (!p) return false;
            PictureCreation creation{p, stored_.picture};
            built.hwnd = CreateChild(control, kPictureClass, BorderStyleBits(p->border), BorderExStyle(p->border),
                                     L"", &creation);
            break;
        }
        case ControlKind::ShapeBox: {
            const ShapeBoxProperties* p = FindByName(definition_.shapeBoxes, control.name);
            if (!p) return false;
            built.hwnd = CreateChild(control, kShapeClass, 0, 0, L"", const_cast<ShapeBoxProperties*>(p));
            break;
        }
        case ControlKind::GroupBox: {
            const GroupBoxProperties* p = FindByName(definition_.groupBoxes, control.name);
            if (!p) return false;
            built.hwnd = CreateChild(control, L"BUTTON", BS_GROUPBOX | BS_LEFT, 0, p->title, nullptr);
            if (built.hwnd) SendMessageW(built.hwnd, WM_SETFONT, guiFont, FALSE);
            SetColours(built, p->text, p->background);
            break;
        }
    }
    if (!built.hwnd) return false;
    window_->controls_.push_back(std::move(built));
    return true;
}

// A single-line box lower than its font's text plus the edges is raised to fit; the top stays.
void WindowBuilder::PrepareEditBox(HWND edit, const ControlDefinition& control, const EditBoxProperties& properties) {
    HGDIOBJ font = GetStockObject(DEFAULT_GUI_FONT);
    SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (!properties.multiLine) {
        SIZE text{};
        {
            WindowDc dc(edit);
            ScopedSelect select(dc.Get(), font);
            GetTextExtentPoint32W(dc.Get(), L"吴", 1, &text);
        }
        int needed = text.cy + 2 * GetSystemMetrics(SM_CYEDGE);
        if (control.height < needed)
            SetWindowPos(edit, nullptr, 0, 0, control.width, needed, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SendMessageW(edit, EM_LIMITTEXT, 0, 0);
    SendMessageW(edit, EM_SETSEL, 0, 0);
    SendMessageW(edit, EM_SCROLLCARET, 0, 0);
}

HWND WindowBuilder::ParentWindow(const ControlDefinition& control) const {
    return control.parent ? window_->Control(control.parent) : window_->hwnd_;
}

// Controls that live in a picture box move into it, keeping their stored position, which from
// then on counts in the picture box's client area.
void WindowBuilder::MoveIntoParents() {
    for (BuiltControl& built : window_->controls_) {
        const ControlDefinition& c = *built.definition;
        HWND parent = c.parent ? window_->Control(c.parent) : nullptr;
        if (!parent) continue;
        SetParent(built.hwnd, parent);
        SetWindowPos(built.hwnd, nullptr, c.left, c.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

// Definition order is stacking order: each control goes directly below the nearest earlier
// control with the same parent, or to the top of its parent's children.
void WindowBuilder::Stack() {
    const Table<ControlDefinition>& rows = definition_.controls;
    for (std::size_t i = 0; i < rows.count; ++i) {
        HWND above = HWND_TOP;
        for (std::size_t j = i; j-- > 0;) {
            if (ParentWindow(rows.rows[j]) == ParentWindow(rows.rows[i])) {
                above = window_->Control(rows.rows[j].name);
                break;
            }
        }
        SetWindowPos(window_->Control(rows.rows[i].name), above, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void WindowBuilder::ShowControls() {
    for (const BuiltControl& built : window_->controls_)
        if (built.definition->visible) ShowWindow(built.hwnd, SW_SHOWNA);
}

void WindowBuilder::BindMouseEvents() {
    for (const EventBinding& binding : definition_.events) {
        if (binding.event != ControlEvent::LeftButtonDown) continue;
        HWND control = window_->Control(binding.control);
        if (!control || GetPropW(control, kOriginalProcProperty)) continue;
        LONG_PTR original = GetWindowLongPtrW(control, GWLP_WNDPROC);
        SetPropW(control, kOriginalProcProperty, reinterpret_cast<HANDLE>(original));
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(MouseEventSubclassProc));
    }
}

}  // namespace dorvane
