// ReadFileBytes and RemoveFile, with which a switch checks what it wrote and takes a change back,
// on real files, folders and a file that another process holds.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/read_file_bytes.h"
#include "host/remove_file.h"
#include "host_test_support.h"
#include "switch_file_holder.h"

namespace dorvane {
namespace {

using State = FileContent::State;
using test::FolderEntries;
using test::PutFile;
using test::ScratchFolder;

// Every byte value, NUL and CR LF included, over more than one read chunk.
std::string AllByteValues(size_t size) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7 + i / 256);
    return bytes;
}

// A file of `size` bytes without writing them: the file is extended to its length.
bool MakeFileOfSize(const std::wstring& path, LONGLONG size) {
    KernelHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER end;
    end.QuadPart = size;
    return file && SetFilePointerEx(file.Get(), end, nullptr, FILE_BEGIN) &&
           SetEndOfFile(file.Get());
}

TEST(ReadFileBytes, GivesTheWholeFileOrSaysWhyNot) {
    ScratchFolder folder(test::TempFolder());
    ASSERT_TRUE(CreateDirectoryW((folder / L"config").c_str(), nullptr));
    const std::string small = "<?xml version=\"1.0\"?>\r\n<Server>\xD1\xA3</Server>";
    const std::string large = AllByteValues(200000);
    ASSERT_TRUE(PutFile(folder / L"small.xml", small));
    ASSERT_TRUE(PutFile(folder / L"large.bin", large));
    ASSERT_TRUE(PutFile(folder / L"empty.xml", ""));
    ASSERT_TRUE(PutFile(folder / L"read-only.xml", small));
    ASSERT_TRUE(SetFileAttributesW((folder / L"read-only.xml").c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(MakeFileOfSize(folder / L"at-limit.bin", kMaxReadFileBytes));
    ASSERT_TRUE(MakeFileOfSize(folder / L"over-limit.bin", kMaxReadFileBytes + 1));

    struct Case {
        const char* what;
        std::wstring path;
        State state;
        std::string bytes;
    };
    const Case cases[] = {
        {"small file", folder / L"small.xml", State::Read, small},
        {"file over several read chunks", folder / L"large.bin", State::Read, large},
        {"empty file", folder / L"empty.xml", State::Read, ""},
        {"read-only file", folder / L"read-only.xml", State::Read, small},
        {"other letter case", folder / L"SMALL.XML", State::Read, small},
        {"file at the size limit", folder / L"at-limit.bin", State::Read,
         std::string(kMaxReadFileBytes, '\0')},
        {"file over the size limit", folder / L"over-limit.bin", State::Unreadable, ""},
        {"missing file", folder / L"config\\dirserver.xml", State::Missing, ""},
        {"missing folder on the way", folder / L"TCLS\\config\\dirserver.xml", State::Missing, ""},
        {"a folder of that name", folder / L"config", State::Unreadable, ""},
        {"a wildcard in the name", folder / L"*.xml", State::Unreadable, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const FileContent content = ReadFileBytes(c.path);
        EXPECT_EQ(static_cast<int>(c.state), static_cast<int>(content.state));
        EXPECT_TRUE(content.bytes == c.bytes) << "size " << content.bytes.size();
    }
}

TEST(ReadFileBytes, AFileHeldOpenWithoutSharingIsUnreadableNotMissing) {
    ScratchFolder folder(test::TempFolder());
    const std::wstring target = folder / L"VersionServerConfig.xml";
    ASSERT_TRUE(PutFile(target, "<Server/>"));
    {
        test::HeldFile held(target);
        ASSERT_TRUE(held.Held()) << "file_holder.exe beside the test program";
        EXPECT_EQ(State::Unreadable, ReadFileBytes(target).state);
    }
    EXPECT_EQ(State::Read, ReadFileBytes(target).state) << "readable once it is let go";
}

TEST(RemoveFile, LeavesNoFileBehindOrSaysSo) {
    ScratchFolder folder(test::TempFolder());
    ASSERT_TRUE(PutFile(folder / L"VersionServerConfig.xml", "<Server/>"));
    ASSERT_TRUE(PutFile(folder / L"held.xml", "<Server/>"));
    ASSERT_TRUE(CreateDirectoryW((folder / L"config").c_str(), nullptr));

    EXPECT_TRUE(RemoveFile(folder / L"VERSIONSERVERCONFIG.XML")) << "other letter case";
    EXPECT_TRUE(RemoveFile(folder / L"dirserver.xml")) << "none there counts as removed";
    EXPECT_TRUE(RemoveFile(folder / L"TCLS\\config\\dirserver.xml")) << "no folder on the way";
    EXPECT_FALSE(RemoveFile(folder / L"config")) << "a folder is not a file";
    {
        test::HeldFile held(folder / L"held.xml");
        ASSERT_TRUE(held.Held());
        EXPECT_FALSE(RemoveFile(folder / L"held.xml")) << "held open without sharing";
    }
    EXPECT_EQ((std::vector<std::wstring>{L"config", L"held.xml"}), FolderEntries(folder.Path()));
}

}  // namespace
}  // namespace dorvane
