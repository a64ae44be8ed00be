// FileExists and WriteFileBytes on real files, folders and processes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/host_services.h"
#include "host_test_support.h"

namespace dorvane {
namespace {

using test::FileBytes;
using test::FolderEntries;
using test::PutFile;
using test::ScratchFolder;

std::string Narrow(const std::wstring& text) {
    std::string bytes(WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &bytes[0], static_cast<int>(bytes.size()),
                        nullptr, nullptr);
    bytes.pop_back();
    return bytes;
}

// ---------------------------------------------------------------------------------------------
// FileExists

TEST(FileExists, AnswersAsTheFileSearchDoes) {
    ScratchFolder folder(test::TempFolder());
    ASSERT_TRUE(CreateDirectoryW((folder / L"bin").c_str(), nullptr));
    ASSERT_TRUE(PutFile(folder / L"bin\\QQ炫舞.exe", "MZ"));
    ASSERT_TRUE(CreateDirectoryW((folder / L"dir.exe").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW((folder / L"게임 🎮").c_str(), nullptr));
    ASSERT_TRUE(PutFile(folder / L"게임 🎮\\게임.exe", "MZ"));
    const std::wstring root = folder.Path();

    struct Case {
        const char* what;
        std::wstring path;
        bool exists;
    };
    const Case cases[] = {
        {"file", root + L"\\bin\\QQ炫舞.exe", true},
        {"other letter case", root + L"\\BIN\\qq炫舞.EXE", true},
        {"directory of the tested name", root + L"\\dir.exe", true},
        {"* pattern that matches", root + L"\\bin\\*.exe", true},
        {"? pattern that matches", root + L"\\bin\\QQ??.exe", true},
        {"* pattern that matches nothing", root + L"\\bin\\*.dll", false},
        {"missing file", root + L"\\bin\\other.exe", false},
        {"missing folder on the way", root + L"\\nothere\\QQ炫舞.exe", false},
        {"names outside GBK", root + L"\\게임 🎮\\게임.exe", true},
        {"doubled backslash", root + L"\\\\bin\\QQ炫舞.exe", true},
        {"empty path", L"", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.exists, FileExists(c.path)) << c.what << ": " << Narrow(c.path);
    }
}

TEST(FileExists, RelativeAndRootedPathsResolveAgainstTheCurrentDirectoryAndItsDrive) {
    // A folder at the root of drive C, as an empty box joined with "\bin\QQ炫舞.exe" is looked
    // up at the root of the current drive.
    ScratchFolder atRoot(L"C:", L"dorvane-root");
    ASSERT_TRUE(PutFile(atRoot / L"game.exe", "MZ"));
    const std::wstring name = atRoot.Path().substr(2);  // "\dorvane-root-..."
    const std::wstring rooted = name + L"\\game.exe";

    {
        test::CurrentFolderScope onC(test::TempFolder());
        EXPECT_TRUE(FileExists(rooted)) << "rooted path with the current directory on C:";
    }
    {
        test::CurrentFolderScope inFolder(atRoot.Path());
        EXPECT_TRUE(FileExists(L"game.exe")) << "relative to the current directory";
        EXPECT_FALSE(FileExists(L"bin\\game.exe"));
    }
    // With the current directory on another drive, the same rooted path names that drive's root.
    if (GetDriveTypeW(L"Z:\\") != DRIVE_NO_ROOT_DIR) {
        test::CurrentFolderScope onZ(L"Z:\\");
        EXPECT_FALSE(FileExists(rooted)) << "rooted path with the current directory on Z:";
    }
}

// ---------------------------------------------------------------------------------------------
// WriteFileBytes

ByteSpan Span(const std::string& bytes) {
    return ByteSpan{reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()};
}

const std::string kOldContent(3000, 'o');  // longer than every new content below

// A target in a scratch folder, prepared as a case asks, then compared after the write.
struct WriteCase {
    const char* what;
    enum Target { Absent, Existing } target;
    DWORD attributes;                     // given to an existing target before the write
    std::vector<std::string> sequences;   // what is written, in order
    bool expected;
};

std::string Joined(const std::vector<std::string>& parts) {
    std::string all;
    for (const std::string& part : parts) all += part;
    return all;
}

TEST(WriteFileBytes, ReplacesTheWholeFileOrRefusesAndLeavesItAsItWas) {
    const std::string xml = "<?xml version=\"1.0\" encoding=\"GBK\"?>\r\n<a>\xD1\xA3</a>\r\n";
    const WriteCase cases[] = {
        {"new file", WriteCase::Absent, 0, {xml}, true},
        {"longer existing file", WriteCase::Existing, FILE_ATTRIBUTE_NORMAL, {xml}, true},
        {"several sequences in order", WriteCase::Existing, FILE_ATTRIBUTE_NORMAL,
         {"<a>", "", "\xD1\xA3", "</a>\r\n"}, true},
        {"one sequence of length 0", WriteCase::Existing, FILE_ATTRIBUTE_NORMAL, {""}, true},
        {"no sequence at all", WriteCase::Existing, FILE_ATTRIBUTE_NORMAL, {}, true},
        {"archive attribute is no obstacle", WriteCase::Existing, FILE_ATTRIBUTE_ARCHIVE, {xml}, true},
        {"read-only target", WriteCase::Existing, FILE_ATTRIBUTE_READONLY, {xml}, false},
        {"hidden target", WriteCase::Existing, FILE_ATTRIBUTE_HIDDEN, {xml}, false},
        {"system target", WriteCase::Existing, FILE_ATTRIBUTE_SYSTEM, {xml}, false},
    };
    for (const WriteCase& c : cases) {
        SCOPED_TRACE(c.what);
        ScratchFolder folder(test::TempFolder());
        const std::wstring target = folder / L"VersionServerConfig.xml";
        if (c.target == WriteCase::Existing) {
            ASSERT_TRUE(PutFile(target, kOldContent));
            ASSERT_TRUE(SetFileAttributesW(target.c_str(), c.attributes));
        }
        std::vector<ByteSpan> spans;
        for (const std::string& sequence : c.sequences) spans.push_back(Span(sequence));

        EXPECT_EQ(c.expected, WriteFileBytes(target, spans));

        const std::string left = c.expected ? Joined(c.sequences) : kOldContent;
        EXPECT_EQ(left, FileBytes(target));
        EXPECT_EQ(std::vector<std::wstring>{L"VersionServerConfig.xml"}, FolderEntries(folder.Path()))
            << "nothing but the target in the folder";
        if (!c.expected) {
            EXPECT_EQ(c.attributes, GetFileAttributesW(target.c_str()) & c.attributes)
                << "the attribute stays";
        }
    }
}

TEST(WriteFileBytes, RefusesPathsThatNameNoWritableFileAndCreatesNothing) {
    ScratchFolder folder(test::TempFolder());
    test::CurrentFolderScope inFolder(folder.Path());
    ASSERT_TRUE(CreateDirectoryW((folder / L"config").c_str(), nullptr));
    const std::string bytes = "<a/>";

    EXPECT_FALSE(WriteFileBytes(L"", {Span(bytes)})) << "empty path";
    EXPECT_FALSE(WriteFileBytes(folder / L"TCLS\\config\\dirserver.xml", {Span(bytes)}))
        << "missing folders on the way";
    EXPECT_FALSE(WriteFileBytes(folder / L"config", {Span(bytes)})) << "a folder of that name";
    EXPECT_FALSE(WriteFileBytes(folder / L"config\\", {Span(bytes)})) << "a folder's own path";

    EXPECT_EQ(std::vector<std::wstring>{L"config"}, FolderEntries(folder.Path()));
    EXPECT_TRUE(FolderEntries(folder / L"config").empty());
}

TEST(WriteFileBytes, WritesRelativeAndNonGbkPathsWhereTheyPoint) {
    ScratchFolder folder(test::TempFolder());
    const std::wstring inner = folder / L"게임 🎮";
    ASSERT_TRUE(CreateDirectoryW(inner.c_str(), nullptr));
    test::CurrentFolderScope inFolder(inner);
    const std::string bytes = "<dirserver/>";

    EXPECT_TRUE(WriteFileBytes(L"dirserver.xml", {Span(bytes)}));
    EXPECT_EQ(bytes, FileBytes(inner + L"\\dirserver.xml"));
    EXPECT_TRUE(WriteFileBytes(inner + L"\\서버.xml", {Span(bytes)}));
    EXPECT_EQ(bytes, FileBytes(inner + L"\\서버.xml"));
    EXPECT_EQ((std::vector<std::wstring>{L"dirserver.xml", L"서버.xml"}), FolderEntries(inner));
}

TEST(WriteFileBytes, AFailureWhileWritingLeavesTheOldFileWhole) {
    // The second sequence points at memory that cannot be read, so the write fails after the
    // first sequence has gone out. The target must still hold its old content in full.
    ScratchFolder folder(test::TempFolder());
    const std::wstring target = folder / L"dirserver.xml";
    ASSERT_TRUE(PutFile(target, kOldContent));
    const std::string first = "<dirserver>";
    const ByteSpan unreadable{reinterpret_cast<const unsigned char*>(16), 4096};

    EXPECT_FALSE(WriteFileBytes(target, {Span(first), unreadable}));
    EXPECT_EQ(kOldContent, FileBytes(target));
    EXPECT_EQ(std::vector<std::wstring>{L"dirserver.xml"}, FolderEntries(folder.Path()));
}

TEST(WriteFileBytes, RefusesATargetThatAnotherProcessHoldsOpen) {
    ScratchFolder folder(test::TempFolder());
    const std::wstring target = folder / L"dirserver.xml";
    ASSERT_TRUE(PutFile(target, kOldContent));

    const std::wstring stopName = L"dorvane-holder-" + std::to_wstring(GetCurrentProcessId());
    KernelHandle held(CreateEventW(nullptr, TRUE, FALSE, (stopName + L".held").c_str()));
    KernelHandle stop(CreateEventW(nullptr, TRUE, FALSE, stopName.c_str()));
    KernelHandle holder = test::StartProcess(test::ProgramFolder() + L"\\file_holder.exe",
                                             L"\"" + target + L"\" " + stopName);
    ASSERT_TRUE(holder) << "file_holder.exe beside the test program";
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(held.Get(), 10000)) << "the holder opened the file";

    const std::string bytes = "<dirserver/>";
    EXPECT_FALSE(WriteFileBytes(target, {Span(bytes)}));

    SetEvent(stop.Get());
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(holder.Get(), 10000));
    EXPECT_EQ(kOldContent, FileBytes(target));
    EXPECT_EQ(std::vector<std::wstring>{L"dirserver.xml"}, FolderEntries(folder.Path()));

    // Once it is free again, the same write goes through.
    EXPECT_TRUE(WriteFileBytes(target, {Span(bytes)}));
    EXPECT_EQ(bytes, FileBytes(target));
}

}  // namespace
}  // namespace dorvane
