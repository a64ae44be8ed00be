// The constant description of a window and its controls, as data. The generic builder turns it
// into Windows controls; nothing here needs windows.h.
#pragma once

#include <cstddef>
#include <cstdint>

namespace dorvane {

enum class ControlKind { Label, EditBox, Button, PicBox, ShapeBox, GroupBox };

// An RGB colour, or the system's 3-D face colour when `systemDefault` is set.
struct Colour {
    std::uint8_t r, g, b;
    bool systemDefault;
};
constexpr Colour Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) { return Colour{r, g, b, false}; }
constexpr Colour kSystemDefault{0, 0, 0, true};

// A LOGFONT as stored: every stored font shares everything but its height.
struct FontSpec {
    int height;
    int width;
    int escapement;
    int orientation;
    int weight;
    bool italic, underline, strikeOut;
    std::uint8_t charSet, outPrecision, clipPrecision, quality, pitchAndFamily;
    const wchar_t* face;
};

enum class BorderStyle { None = 0, Sunken = 1, RaisedFrame = 2, ThinSunken = 3, SunkenAndRaised = 4, Line = 5 };

enum class ControlEvent { Clicked, TextChanged, LeftButtonDown };
enum class WindowEvent { Created };

// What a bound event runs. The program maps each to a function (app/event_handlers.cpp).
enum class Handler { DoNothing, ChooseExperienceFolder, ChooseOfficialFolder, SwitchToExperience, SwitchToOfficial };

// Table C: one row per control, in definition order (which is also the stacking order).
struct ControlDefinition {
    ControlKind kind;
    const wchar_t* name;
    std::uint32_t unitNumber;
    const wchar_t* parent;  // nullptr: the window itself
    int left, top, width, height;
    bool visible, disabled, tabStop;
    int tabIndex;
};

// Table L.
struct LabelProperties {
    const wchar_t* name;
    const wchar_t* caption;
    Colour text;
    Colour background;
    BorderStyle border;
    const FontSpec* font;  // nullptr: the stock GUI font
};

// Table B.
struct EditBoxProperties {
    const wchar_t* name;
    Colour text;
    Colour background;
    const wchar_t* initialText;
    BorderStyle border;
    bool multiLine;
    bool readOnly;
};

// Table X.
struct ButtonProperties {
    const wchar_t* name;
    const wchar_t* caption;
    bool defaultButton;
};

enum class PictureSource { StoredPicture };
enum class DisplayMode { Stretch };

// Table P.
struct PicBoxProperties {
    const wchar_t* name;
    PictureSource picture;
    BorderStyle border;
    Colour background;
    DisplayMode display;
};

enum class Shape { Ellipse };

// Table S.
struct ShapeBoxProperties {
    const wchar_t* name;
    Shape shape;
    Colour background;
    Colour fill;
    int effect3d;  // 1: a white outline under a black one, one pixel up and left
    Colour line;
    int lineWidth;
};

// Table G.
struct GroupBoxProperties {
    const wchar_t* name;
    const wchar_t* title;
    Colour text;
    Colour background;
};

// Table E.
struct EventBinding {
    const wchar_t* control;
    ControlEvent event;
    Handler handler;
};

enum class StartPosition { Normal, Centred, Minimised, Maximised };
enum class MusicSource { None, StoredSound };

// Table W.
struct WindowProperties {
    std::uint32_t unitNumber;
    const wchar_t* title;
    int left, top, width, height;
    StartPosition start;
    bool escCloses;
    bool enterMovesFocus;
    bool helpOnF1;
    Colour background;
    MusicSource backgroundMusic;
    int musicPlayMode;  // 0 repeat endlessly, 1 once, 2 do not play
    Handler created;
};

template <typename T>
struct Table {
    const T* rows;
    std::size_t count;
    const T* begin() const { return rows; }
    const T* end() const { return rows + count; }
};

struct WindowDefinition {
    WindowProperties window;
    Table<ControlDefinition> controls;
    Table<LabelProperties> labels;
    Table<EditBoxProperties> editBoxes;
    Table<ButtonProperties> buttons;
    Table<PicBoxProperties> picBoxes;
    Table<ShapeBoxProperties> shapeBoxes;
    Table<GroupBoxProperties> groupBoxes;
    Table<EventBinding> events;
};

// The stored window definitions, looked up by unit number; nullptr when there is none.
const WindowDefinition* FindWindowDefinition(std::uint32_t unitNumber);

// Finds the properties row of a control by name in one of the kind tables.
template <typename T>
const T* FindByName(const Table<T>& table, const wchar_t* name);

}  // namespace dorvane

#include "app/window_definition_lookup.h"
