#include "switcher/switch_server.h"

#include "host/host_services.h"
#include "switcher/host_file_access.h"

namespace dorvane {

namespace {

// Lower-case "qq": the file system finds the installed "QQ炫舞.exe" all the same.
constexpr wchar_t kGameProgramSuffix[] = L"\\bin\\qq炫舞.exe";
constexpr wchar_t kVersionServerSuffix[] = L"\\TCLS\\config\\VersionServerConfig.xml";
constexpr wchar_t kDirServerSuffix[] = L"\\TCLS\\config\\dirserver.xml";
constexpr wchar_t kNoticeTitle[] = L"提示";

// The box is the one place where the folder lives, so it is read for every path. The window
// takes no input while a notice is open, so all paths of one switch come from the same text.
Text InBoxFolder(HWND box, const wchar_t* suffix) {
    return JoinText({GetControlText(box), suffix});
}

bool WriteLauncherFiles(const ServerProfile& profile, HWND box) {
    HostFileAccess files;
    return ReplaceFilesTogether(
        files, {{InBoxFolder(box, kVersionServerSuffix), profile.versionServerXml.text()},
                {InBoxFolder(box, kDirServerSuffix), profile.dirServerXml.text()}});
}

}  // namespace

void SwitchServer(const ServerProfile& profile, HWND box) {
    if (!FileExists(InBoxFolder(box, kGameProgramSuffix)) || !WriteLauncherFiles(profile, box)) {
        ShowNotice(profile.failureNotice, MB_OK, kNoticeTitle);
        return;
    }
    ShowNotice(profile.successNotice, MB_OK, kNoticeTitle);
    // Only now that the player has closed the notice.
    RunProgram(InBoxFolder(box, kGameProgramSuffix), false);
}

}  // namespace dorvane
