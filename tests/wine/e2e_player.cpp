#include "e2e_player.h"

#include "host/win_handles.h"
#include "host_chooser_driver.h"
#include "host_test_support.h"
#include "switcher/launcher_documents.h"

namespace dorvane::test {

const std::string kOldVersionServer =
    "<?xml version=\"1.0\" encoding=\"GBK\"?>\r\n<Server>the game's own version list</Server>\r\n";
const std::string kOldDirServer = "<?xml version=\"1.0\"?>\r\n<Server>the game's own dir list</Server>";

namespace {

std::string Bytes(const StoredDocument& document) { return std::string(document.text()); }

// Creates every missing folder of `path` below its drive's root ("C:\" or "\\?\C:\").
bool MakeFolders(const std::wstring& path) {
    const size_t root = path.rfind(L"\\\\?\\", 0) == 0 ? 7 : 3;
    for (size_t slash = path.find(L'\\', root); ; slash = path.find(L'\\', slash + 1)) {
        const std::wstring part = slash == std::wstring::npos ? path : path.substr(0, slash);
        if (!Exists(part) && !CreateDirectoryW(part.c_str(), nullptr)) return false;
        if (slash == std::wstring::npos) return true;
    }
}

}  // namespace

LauncherPair ExperiencePair() {
    return {Bytes(ExperienceVersionServerXml), Bytes(ExperienceDirServerXml)};
}
LauncherPair OfficialPair() { return {Bytes(OfficialVersionServerXml), Bytes(OfficialDirServerXml)}; }

LauncherPair GameFolder::Files() const { return {FileBytes(VersionServer()), FileBytes(DirServer())}; }

bool MakeGameFolder(const GameFolder& game, bool withConfig) {
    const std::wstring standIn = ProgramFolder() + L"\\stand_in_game.exe";
    bool made = MakeFolders(game.path + L"\\bin") &&
                CopyFileW(standIn.c_str(), game.Game().c_str(), FALSE);
    if (withConfig) {
        made = made && MakeFolders(game.Config()) && PutFile(game.VersionServer(), kOldVersionServer) &&
               PutFile(game.DirServer(), kOldDirServer);
    }
    return made;
}

Notice ReadAndCloseNotice(const RunningProgram& program, const std::function<void(HWND)>& whileOpen) {
    Notice notice;
    HWND window = program.Window();
    const DWORD ui = program.UiThread();
    HWND box = WaitForMessageBox(ui);
    if (!box) return notice;
    notice.shown = true;
    notice.caption = WindowText(box);
    notice.message = MessageBoxText(box);
    notice.windowDisabled = !IsWindowEnabled(window);
    if (whileOpen) whileOpen(box);
    PressButton(box, IDOK);
    // Once the window is enabled again the box has gone; a message sent now is handled only
    // after the click handler, launch included, has returned.
    notice.settled =
        WaitUntil([&] { return IsWindowEnabled(window) && !FindThreadWindow(ui, L"#32770"); }, 5000) &&
        SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, nullptr) != 0;
    return notice;
}

void SetBox(const RunningProgram& program, int box, const std::wstring& text) {
    SendMessageW(program.Control(box), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void Click(const RunningProgram& program, int button) {
    PostMessageW(program.Control(button), BM_CLICK, 0, 0);
}

Record ReadRecord(const std::wstring& path) {
    Record fields;
    // The stand-in renames its finished record into place; for a moment after the rename Wine
    // may still hold the file for it, and an open then fails although the name exists.
    std::string bytes = FileBytes(path);
    for (int retry = 0; bytes == "<missing>" && Exists(path) && retry < 50; ++retry) {
        Sleep(20);
        bytes = FileBytes(path);
    }
    if (bytes == "<missing>") return fields;
    const std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
    size_t start = 0;
    for (size_t end; (end = text.find(L'\n', start)) != std::wstring::npos; start = end + 1) {
        const std::wstring line = text.substr(start, end - start);
        const size_t equals = line.find(L'=');
        fields[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return fields;
}

std::wstring Field(const Record& record, const std::wstring& key) {
    const auto found = record.find(key);
    return found == record.end() ? L"<no game>" : found->second;
}

bool Exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void EndProcess(DWORD processId) {
    KernelHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId));
    if (!process) return;
    TerminateProcess(process.Get(), 0);
    WaitForSingleObject(process.Get(), 5000);
}

}  // namespace dorvane::test
