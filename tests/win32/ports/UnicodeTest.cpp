#include "platform/win32/Handle.h"
#include "platform/win32/Unicode.h"

#include <gtest/gtest.h>

namespace {

using win32::Narrow;
using win32::Widen;

TEST(UnicodeTest, RoundTripsEveryPlane) {
    const std::string texts[] = {
        "",
        "C:\\Temp\\",
        "Ünïcødé ключ 日本",
        "emoji \xF0\x9F\x98\x80 outside the basic plane",
        std::string("embedded\0zero", 13),
    };
    for (const std::string& text : texts) {
        SCOPED_TRACE(text);
        EXPECT_EQ(Narrow(Widen(text)), text);
    }
    EXPECT_EQ(Widen("日本"), L"\u65E5\u672C");
    EXPECT_EQ(Widen("\xF0\x9F\x98\x80").size(), 2u);
}

TEST(UnicodeTest, BrokenInputBecomesReplacementCharacters) {
    EXPECT_EQ(Widen("a\xFF"
                    "b"),
              L"a\uFFFDb");
    EXPECT_EQ(Narrow(std::wstring(1, wchar_t(0xD800)) + L"x"), "\xEF\xBF\xBDx");
}

TEST(HandleTest, ClosesOnceAndTreatsBothEmptyValuesAsEmpty) {
    HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ASSERT_NE(event, nullptr);
    win32::UniqueHandle owner(event);
    EXPECT_TRUE(owner);
    win32::UniqueHandle moved(std::move(owner));
    EXPECT_FALSE(owner);
    EXPECT_EQ(moved.get(), event);
    moved.reset();
    EXPECT_FALSE(moved);
    // The handle is really closed.
    DWORD flags = 0;
    EXPECT_FALSE(GetHandleInformation(event, &flags));

    EXPECT_FALSE(win32::UniqueHandle(INVALID_HANDLE_VALUE));
    EXPECT_FALSE(win32::UniqueFind(INVALID_HANDLE_VALUE));
    EXPECT_FALSE(win32::UniqueKey(nullptr));

    HANDLE kept = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    {
        win32::UniqueHandle released(kept);
        EXPECT_EQ(released.release(), kept);
    }
    EXPECT_TRUE(GetHandleInformation(kept, &flags));
    CloseHandle(kept);
}

} // namespace
