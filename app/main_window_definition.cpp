// MainWindow: the window and its 23 controls, written as the tables they are.
#include "app/community_numbers.h"
#include "app/window_definition.h"

namespace dorvane {
namespace {

constexpr std::uint32_t kMainWindowUnit = 0x52010001;

// Bold 宋体 in the GB2312 character set; the labels differ only in height.
constexpr FontSpec LabelFont(int height) {
    return FontSpec{height, 0, 0, 0, 700, false, false, false,
                    134 /* GB2312_CHARSET */, 3 /* OUT_STROKE_PRECIS */, 2 /* CLIP_STROKE_PRECIS */,
                    1 /* DRAFT_QUALITY */, 2 /* VARIABLE_PITCH */, L"宋体"};
}
constexpr FontSpec kFont12 = LabelFont(-12);
constexpr FontSpec kFont14 = LabelFont(-14);

using K = ControlKind;
constexpr ControlDefinition kControls[] = {
    // kind        name        unit        parent      left  top  width height vis   dis    tab  index
    {K::Label,    L"标签7",   0x1601002E, nullptr,   160,  104, 248,  16,   true, false, false, 0},
    {K::Label,    L"标签6",   0x1601002D, nullptr,   0,    128, 376,  16,   true, false, false, 0},
    {K::Label,    L"标签5",   0x1601002C, nullptr,   232,  144, 160,  32,   true, false, false, 0},
    {K::Label,    L"标签4",   0x1601002B, nullptr,   120,  72,  256,  16,   true, false, false, 0},
    {K::Label,    L"标签3",   0x1601002A, nullptr,   120,  48,  256,  24,   true, false, false, 0},
    {K::Label,    L"标签2",   0x16010029, nullptr,   120,  24,  256,  24,   true, false, false, 0},
    {K::EditBox,  L"编辑框7", 0x16010027, L"图片框2", 864,  104, 240,  16,   true, false, true,  0},
    {K::Label,    L"标签1",   0x16010026, nullptr,   120,  0,   256,  24,   true, false, false, 0},
    {K::PicBox,   L"图片框2", 0x16010025, nullptr,   0,    0,   128,  120,  true, false, false, 0},
    {K::EditBox,  L"编辑框6", 0x16010024, nullptr,   -8,   -16, 400,  200,  true, false, true,  0},
    {K::ShapeBox, L"外形框1", 0x16010023, L"图片框1", 624,  152, 160,  56,   true, false, false, 0},
    {K::GroupBox, L"分组框1", 0x1601001E, nullptr,   888,  160, 48,   56,   true, false, false, 0},
    {K::PicBox,   L"图片框1", 0x1601001D, nullptr,   520,  48,  120,  112,  true, false, false, 0},
    {K::EditBox,  L"编辑框5", 0x16010019, nullptr,   528,  24,  32,   24,   true, false, true,  0},
    {K::EditBox,  L"编辑框4", 0x16010018, nullptr,   520,  64,  120,  20,   true, false, true,  0},
    {K::EditBox,  L"编辑框3", 0x16010017, nullptr,   512,  160, 336,  104,  true, false, true,  0},
    {K::Button,   L"按钮5",   0x16010016, nullptr,   440,  176, 320,  96,   true, false, true,  0},
    {K::Button,   L"按钮4",   0x1601000C, nullptr,   96,   344, 184,  40,   true, false, true,  0},
    {K::EditBox,  L"编辑框2", 0x1601000B, nullptr,   96,   312, 184,  24,   true, false, true,  0},
    {K::Button,   L"按钮3",   0x1601000A, nullptr,   8,    311, 80,   24,   true, false, true,  0},
    {K::Button,   L"按钮2",   0x16010004, nullptr,   96,   256, 184,  40,   true, false, true,  0},
    {K::EditBox,  L"编辑框1", 0x16010003, nullptr,   94,   224, 184,  20,   true, false, true,  0},
    {K::Button,   L"按钮1",   0x16010002, nullptr,   8,    222, 80,   24,   true, false, true,  0},
};

constexpr Colour kBlack = Rgb(0, 0, 0);
constexpr Colour kWhite = Rgb(255, 255, 255);
constexpr Colour kMagenta = Rgb(255, 0, 255);

constexpr LabelProperties kLabels[] = {
    // name       caption                                       text colour          background border             font
    {L"标签1", kLabelGroup1, kMagenta, kBlack, BorderStyle::None, &kFont12},
    {L"标签2", kLabelGroup2, kMagenta, kBlack, BorderStyle::None, &kFont12},
    {L"标签3", kLabelGroup3, kMagenta, kBlack, BorderStyle::None, &kFont12},
    {L"标签4", kLabelGroup4, kMagenta, kBlack, BorderStyle::None, &kFont12},
    {L"标签5", kLabelContact, Rgb(255, 0, 0), kBlack, BorderStyle::None, &kFont14},
    {L"标签6", L"我们追求简单简洁,Quonsel保证不添加任何广告!", Rgb(128, 128, 0), kBlack, BorderStyle::None, &kFont12},
    {L"标签7", L"不定期清理群内不活跃成员!", Rgb(88, 48, 224), kBlack, BorderStyle::None, &kFont12},
};

constexpr EditBoxProperties kEditBoxes[] = {
    // name         text      background initial text   border               multi  read-only
    {L"编辑框1", kBlack, kWhite, L"", BorderStyle::Sunken, false, false},
    {L"编辑框2", kBlack, kWhite, L"", BorderStyle::Sunken, false, false},
    {L"编辑框3", kBlack, kBlack, L"", BorderStyle::Sunken, false, false},
    {L"编辑框4", kBlack, kBlack, L"", BorderStyle::Sunken, false, false},
    {L"编辑框5", kBlack, kBlack, L"", BorderStyle::Sunken, false, false},
    {L"编辑框6", kBlack, kBlack, L"", BorderStyle::Sunken, false, false},
    {L"编辑框7", kMagenta, kWhite, kLabelGroup2, BorderStyle::Sunken, false, false},
};

constexpr ButtonProperties kButtons[] = {
    {L"按钮1", L"目录", false},
    {L"按钮2", L"转换体验服", false},
    {L"按钮3", L"目录", false},
    {L"按钮4", L"转换正式服", false},
    {L"按钮5", L"按钮", false},
};

constexpr PicBoxProperties kPicBoxes[] = {
    {L"图片框1", PictureSource::StoredPicture, BorderStyle::None, kSystemDefault, DisplayMode::Stretch},
    {L"图片框2", PictureSource::StoredPicture, BorderStyle::None, kSystemDefault, DisplayMode::Stretch},
};

constexpr ShapeBoxProperties kShapeBoxes[] = {
    {L"外形框1", Shape::Ellipse, kBlack, kBlack, 1, kBlack, 1},
};

constexpr GroupBoxProperties kGroupBoxes[] = {
    {L"分组框1", L"", kBlack, kSystemDefault},
};

constexpr EventBinding kEvents[] = {
    {L"按钮1", ControlEvent::Clicked, Handler::ChooseExperienceFolder},
    {L"按钮2", ControlEvent::Clicked, Handler::SwitchToExperience},
    {L"按钮3", ControlEvent::Clicked, Handler::ChooseOfficialFolder},
    {L"按钮4", ControlEvent::Clicked, Handler::SwitchToOfficial},
    {L"编辑框7", ControlEvent::TextChanged, Handler::DoNothing},
    {L"分组框1", ControlEvent::LeftButtonDown, Handler::DoNothing},
};

template <typename T, std::size_t N>
constexpr Table<T> TableOf(const T (&rows)[N]) {
    return Table<T>{rows, N};
}

constexpr WindowDefinition kMainWindow{
    WindowProperties{
        kMainWindowUnit, L"Dorvane V1.0", 50, 50, 381, 426, StartPosition::Centred,
        /*escCloses*/ true, /*enterMovesFocus*/ false, /*helpOnF1*/ false, kSystemDefault,
        MusicSource::StoredSound, /*musicPlayMode: repeat endlessly*/ 0, Handler::DoNothing},
    TableOf(kControls),
    TableOf(kLabels),
    TableOf(kEditBoxes),
    TableOf(kButtons),
    TableOf(kPicBoxes),
    TableOf(kShapeBoxes),
    TableOf(kGroupBoxes),
    TableOf(kEvents),
};

}  // namespace

const WindowDefinition* FindWindowDefinition(std::uint32_t unitNumber) {
    return unitNumber == kMainWindow.window.unitNumber ? &kMainWindow : nullptr;
}

}  // namespace dorvane
