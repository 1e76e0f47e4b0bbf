#include "platform/win32/Unicode.h"
#include "platform/win32/Win32Files.h"

#include <gtest/gtest.h>

namespace {

bool IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(win32::Widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

TEST(FilesTest, TempPathIsAnExistingFolderWithItsBackslash) {
    const std::string temp = win32::Win32Files().TempPath();
    ASSERT_FALSE(temp.empty());
    EXPECT_EQ(temp.back(), '\\');
    EXPECT_TRUE(IsFolder(temp)) << temp;
}

TEST(FilesTest, CreateDirectoryMakesOnlyNewFolders) {
    win32::Win32Files files;
    const std::string temp = files.TempPath();
    const std::string fresh = temp + "Trelvix neu ü 日本";
    RemoveDirectoryW(win32::Widen(fresh).c_str());
    struct Row {
        std::string path;
        bool created;
    };
    const Row rows[] = {
        {fresh, true},
        {fresh, false},                     // exists already
        {temp, false},                      // exists already
        {temp + "no parent\\child", false}, // one level at a time
        {temp + "bad:name?", false},        // not a valid name
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.path);
        EXPECT_EQ(files.CreateDirectory(row.path), row.created);
    }
    EXPECT_TRUE(IsFolder(fresh));
    RemoveDirectoryW(win32::Widen(fresh).c_str());
}

} // namespace
