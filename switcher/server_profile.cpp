#include "switcher/server_profile.h"

namespace dorvane {

// constexpr: both records are fixed before any code runs, whatever the order in which the
// program's files are initialised. Each failure notice names its own target, in the form of
// its success notice; the full stops are ASCII.
constexpr ServerProfile ExperienceProfile{
    L"编辑框1",
    ExperienceVersionServerXml,
    ExperienceDirServerXml,
    L"体验服转换成功.请登录游戏",
    L"体验服转换失败.请重新转换",
};

constexpr ServerProfile OfficialProfile{
    L"编辑框2",
    OfficialVersionServerXml,
    OfficialDirServerXml,
    L"正服转换成功.请登录游戏",
    L"正服转换失败.请重新转换",
};

}  // namespace dorvane
