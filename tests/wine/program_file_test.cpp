// The executable's own resources, read back from the built files: the version block, the icon
// group "DEFAULT_ICON" and the absence of a manifest. Checked on the program file as it ships
// (32-bit) and on the build these tests run with.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "program_driver.h"

namespace dorvane::test {
namespace {

std::vector<std::wstring> ProgramFiles() {
    std::vector<std::wstring> files{BesideTest(L"Dorvane.exe")};
    std::wstring shipped = DORVANE_PRODUCT_EXE_W;
    if (!shipped.empty() && shipped != files.front()) files.push_back(shipped);
    return files;
}

std::wstring VersionString(const std::vector<unsigned char>& block, const wchar_t* key) {
    std::wstring path = std::wstring(L"\\StringFileInfo\\080404B0\\") + key;
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), path.c_str(), &value, &length) || !value) return L"<missing>";
    return static_cast<const wchar_t*>(value);
}

TEST(ProgramFile, VersionBlockNamesTheProgram) {
    for (const std::wstring& file : ProgramFiles()) {
        SCOPED_TRACE(std::string(file.begin(), file.end()));
        DWORD ignored = 0;
        DWORD size = GetFileVersionInfoSizeW(file.c_str(), &ignored);
        ASSERT_GT(size, 0u);
        std::vector<unsigned char> block(size);
        ASSERT_TRUE(GetFileVersionInfoW(file.c_str(), 0, size, block.data()));

        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
        EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
        EXPECT_EQ(fixed->dwFileVersionLS, 0u);
        EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
        EXPECT_EQ(fixed->dwProductVersionLS, 0u);
        EXPECT_EQ(fixed->dwFileFlagsMask, 0u);
        EXPECT_EQ(fixed->dwFileFlags, 0u);
        EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
        EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
        EXPECT_EQ(fixed->dwFileSubtype, 0u);
        EXPECT_EQ(fixed->dwFileDateMS | fixed->dwFileDateLS, 0u);

        EXPECT_EQ(VersionString(block, L"FileVersion"), L"1.0.0.0");
        EXPECT_EQ(VersionString(block, L"FileDescription"), L"用于QQ炫舞转换体验服与正式服！");
        EXPECT_EQ(VersionString(block, L"ProductName"), L"Dorvane V1.0");
        EXPECT_EQ(VersionString(block, L"ProductVersion"), L"1.0.0.0");
        EXPECT_EQ(VersionString(block, L"CompanyName"), L"Quonsel QQ 2654172810");
        EXPECT_NE(VersionString(block, L"LegalCopyright"), L"<missing>");
        EXPECT_EQ(VersionString(block, L"Comments"), VersionString(block, L"LegalCopyright"));

        WORD* translation = nullptr;
        ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                                   &length));
        ASSERT_EQ(length, 4u);
        EXPECT_EQ(translation[0], 0x0804);
        EXPECT_EQ(translation[1], 0x04B0);
    }
}

#pragma pack(push, 2)
struct IconGroupEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

BOOL CALLBACK CollectType(HMODULE, LPWSTR type, LONG_PTR param) {
    if (IS_INTRESOURCE(type)) reinterpret_cast<std::vector<ULONG_PTR>*>(param)->push_back(reinterpret_cast<ULONG_PTR>(type));
    return TRUE;
}

TEST(ProgramFile, OneIconOf32By32In24BitsAndNoManifest) {
    for (const std::wstring& file : ProgramFiles()) {
        SCOPED_TRACE(std::string(file.begin(), file.end()));
        HMODULE module = LoadLibraryExW(file.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(module, nullptr);
        HRSRC group = FindResourceW(module, L"DEFAULT_ICON", MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */);
        ASSERT_NE(group, nullptr);
        const auto* header = static_cast<const WORD*>(LockResource(LoadResource(module, group)));
        ASSERT_NE(header, nullptr);
        EXPECT_EQ(header[1], 1) << "icon type";
        ASSERT_EQ(header[2], 1) << "one image";
        const auto* entry = reinterpret_cast<const IconGroupEntry*>(header + 3);
        EXPECT_EQ(entry->width, 32);
        EXPECT_EQ(entry->height, 32);
        EXPECT_EQ(entry->bitCount, 24);
        EXPECT_EQ(entry->bytes, 3240u);
        HRSRC image = FindResourceW(module, MAKEINTRESOURCEW(entry->id), MAKEINTRESOURCEW(3) /* RT_ICON */);
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(SizeofResource(module, image), 3240u);

        std::vector<ULONG_PTR> types;
        EnumResourceTypesW(module, CollectType, reinterpret_cast<LONG_PTR>(&types));
        EXPECT_EQ(std::count(types.begin(), types.end(), 24u /* RT_MANIFEST */), 0);
        FreeLibrary(module);
    }
}

}  // namespace
}  // namespace dorvane::test
