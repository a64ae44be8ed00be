// The two targets of a switch: which box holds the game folder, what goes into the launcher's
// two server-list files, and what the player is told afterwards.
#pragma once

#include "switcher/launcher_documents.h"

namespace dorvane {

struct ServerProfile {
    const wchar_t* box;                      // the folder box, by its name in the window
    const StoredDocument& versionServerXml;  // for TCLS\config\VersionServerConfig.xml
    const StoredDocument& dirServerXml;      // for TCLS\config\dirserver.xml
    const wchar_t* successNotice;
    const wchar_t* failureNotice;
};

// The experience (public test) server, run by 按钮2 on 编辑框1.
extern const ServerProfile ExperienceProfile;
// The official servers, run by 按钮4 on 编辑框2.
extern const ServerProfile OfficialProfile;

}  // namespace dorvane
