// GetControlText and SetControlText on a real one-line EDIT control, and joining its text as the
// handlers do.
#include <gtest/gtest.h>

#include "host/host_services.h"
#include "host_test_support.h"

namespace dorvane {
namespace {

class ControlTextTest : public testing::Test {
protected:
    ControlTextTest()
        : box_(CreateWindowW(L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, 10,
                             10, 250, 24, window_.Get(), nullptr, GetModuleHandleW(nullptr),
                             nullptr)) {}
    test::TopWindow window_{L"program window"};
    HWND box_;
};

TEST_F(ControlTextTest, EveryTextReadsBackExactly) {
    const std::wstring cases[] = {
        L"C:\\Program Files\\腾讯游戏\\QQ炫舞",   // Chinese, as the chooser gives it
        L"D:\\게임\\QQ炫舞 🎮",                   // outside GBK: Korean and an emoji (a pair)
        L"C:\\",                                 // a drive root
        L"  spaced  \\",                         // nothing trimmed
        std::wstring(1000, L'炫'),               // longer than any path buffer
    };
    ASSERT_NE(nullptr, box_);
    EXPECT_EQ(L"", GetControlText(box_)) << "an empty box";
    for (const std::wstring& text : cases) {
        SetControlText(box_, text);
        EXPECT_EQ(text, GetControlText(box_));
    }
    SetControlText(box_, L"");
    EXPECT_EQ(L"", GetControlText(box_)) << "an empty text empties the box";
}

TEST_F(ControlTextTest, TheBoxTextJoinsWithTheSuffixAsItStands) {
    struct Case {
        std::wstring box;
        std::wstring joined;
    };
    const Case cases[] = {
        {L"C:\\Games\\QQ炫舞", L"C:\\Games\\QQ炫舞\\bin\\qq炫舞.exe"},
        {L"C:\\", L"C:\\\\bin\\qq炫舞.exe"},  // a drive root keeps both backslashes
        {L"", L"\\bin\\qq炫舞.exe"},           // an empty box gives the suffix alone
        {L" D:\\x ", L" D:\\x \\bin\\qq炫舞.exe"},
    };
    for (const Case& c : cases) {
        SetControlText(box_, c.box);
        EXPECT_EQ(c.joined, JoinText({GetControlText(box_), L"\\bin\\qq炫舞.exe"}));
    }
    EXPECT_EQ(L"", JoinText({L"", L""}));
    EXPECT_EQ(L"abc", JoinText({L"a", L"", L"b", L"c"}));
}

}  // namespace
}  // namespace dorvane
