// The player's side of the road through the real window, shared by the road, hostile-input and
// load tests: game folders made on disk, a button clicked and its notice read and closed, the
// stand-in game's record read back.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>

#include "program_driver.h"

namespace dorvane::test {

extern const std::string kOldVersionServer;
extern const std::string kOldDirServer;

// What the launcher's two files hold ("<missing>" for no file).
struct LauncherPair {
    std::string versionServer;
    std::string dirServer;
    bool operator==(const LauncherPair& other) const {
        return versionServer == other.versionServer && dirServer == other.dirServer;
    }
    bool operator!=(const LauncherPair& other) const { return !(*this == other); }
};
LauncherPair ExperiencePair();
LauncherPair OfficialPair();

// A game folder laid out as installed: the stand-in as bin\QQ炫舞.exe and TCLS\config with the
// launcher's own two files.
struct GameFolder {
    std::wstring path;
    std::wstring Config() const { return path + L"\\TCLS\\config"; }
    std::wstring VersionServer() const { return Config() + L"\\VersionServerConfig.xml"; }
    std::wstring DirServer() const { return Config() + L"\\dirserver.xml"; }
    std::wstring Game() const { return path + L"\\bin\\QQ炫舞.exe"; }
    std::wstring GameRecord() const { return Game() + L".record"; }
    LauncherPair Files() const;
};
// Makes the folders of `path` that are missing, the game program and, unless `withConfig` is
// false, TCLS\config with the old files. False when any of it could not be made.
bool MakeGameFolder(const GameFolder& game, bool withConfig = true);

// What one click showed.
struct Notice {
    bool shown = false;
    std::wstring caption;
    std::wstring message;
    bool windowDisabled = false;
    bool settled = false;  // closed, and the click handler returned
};

// Waits for the notice of the program's UI thread, runs `whileOpen` on it (a screenshot, a
// look at the disk), presses OK and waits until the handler has returned.
Notice ReadAndCloseNotice(const RunningProgram& program,
                          const std::function<void(HWND)>& whileOpen = nullptr);
// Sets the box's text as typing would leave it.
void SetBox(const RunningProgram& program, int box, const std::wstring& text);
// Posts a click to the button, so that this thread can watch what the handler shows.
void Click(const RunningProgram& program, int button);

// The stand-in's record: key=value lines (pid, commandline, cwd, show); empty when missing.
using Record = std::map<std::wstring, std::wstring>;
Record ReadRecord(const std::wstring& path);
std::wstring Field(const Record& record, const std::wstring& key);
bool Exists(const std::wstring& path);
// Ends a stand-in that is still running.
void EndProcess(DWORD processId);

}  // namespace dorvane::test
