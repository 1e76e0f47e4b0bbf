#include "app/Version.h"
#include "e2e/Driver.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

namespace {

// What Explorer's Properties and Task Manager read from trelvix.exe: the version numbers and,
// through the language the file declares, the product's name and version texts.
TEST(VersionResourceE2e, NamesTheProductAndItsVersion) {
    const std::wstring exe = e2e::ExePath();
    DWORD unused = 0;
    const DWORD size = GetFileVersionInfoSizeW(exe.c_str(), &unused);
    ASSERT_NE(size, 0u) << "trelvix.exe has no version resource";
    std::vector<unsigned char> info(size);
    ASSERT_TRUE(GetFileVersionInfoW(exe.c_str(), 0, size, info.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    for (auto [high, low] : {std::pair{fixed->dwFileVersionMS, fixed->dwFileVersionLS},
                             std::pair{fixed->dwProductVersionMS, fixed->dwProductVersionLS}}) {
        EXPECT_EQ(HIWORD(high), TRELVIX_VERSION_MAJOR);
        EXPECT_EQ(LOWORD(high), TRELVIX_VERSION_MINOR);
        EXPECT_EQ(low, 0u);
    }

    struct Translation {
        WORD language, codePage;
    }* translation = nullptr;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
    ASSERT_GE(length, sizeof(Translation));
    wchar_t block[40] = {};
    std::swprintf(block, std::size(block), L"\\StringFileInfo\\%04x%04x\\", translation->language,
                  translation->codePage);
    auto text = [&](const wchar_t* name) -> std::string {
        wchar_t* value = nullptr;
        UINT chars = 0;
        if (!VerQueryValueW(info.data(), (std::wstring(block) + name).c_str(),
                            reinterpret_cast<void**>(&value), &chars) ||
            chars == 0)
            return "(missing)";
        return e2e::Narrow(std::wstring(value, chars - 1));
    };
    EXPECT_EQ(text(L"ProductName"), "Trelvix");
    EXPECT_EQ(text(L"FileDescription"), "Trelvix");
    EXPECT_EQ(text(L"ProductVersion"), TRELVIX_VERSION);
    EXPECT_EQ(text(L"FileVersion"), TRELVIX_VERSION);
}

} // namespace
