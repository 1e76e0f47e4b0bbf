#include "platform/win32/Win32Drives.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

using port::DriveType;

// Wine's C: is the prefix's drive_c and Z: is the host's root.
TEST(DrivesTest, WinesDrivesAreFixedWithAFileSystemAndSpace) {
    win32::Win32Drives drives;
    const std::uint32_t present = drives.LogicalDrives();
    for (char letter : {'C', 'Z', 'c'}) {
        SCOPED_TRACE(letter);
        EXPECT_NE(present & (1u << (std::toupper(letter) - 'A')), 0u);
        EXPECT_EQ(drives.Type(letter), DriveType::Fixed);
        const port::VolumeInfo volume = drives.Volume(letter);
        EXPECT_TRUE(volume.ok);
        EXPECT_FALSE(volume.fileSystem.empty());
        const port::DiskSpace space = drives.FreeSpace(letter);
        EXPECT_GT(space.total, 0);
        EXPECT_GE(space.free, 0);
        EXPECT_GE(space.total, space.free);
    }
}

TEST(DrivesTest, UnusedLetterIsNoDrive) {
    win32::Win32Drives drives;
    const std::uint32_t present = drives.LogicalDrives();
    char unused = 0;
    for (char letter = 'Y'; letter >= 'D' && unused == 0; --letter)
        if ((present & (1u << (letter - 'A'))) == 0)
            unused = letter;
    ASSERT_NE(unused, 0) << "every letter is in use";
    // Letters that are no drive letter at all answer the same.
    for (char letter : {unused, '1', '\0'}) {
        SCOPED_TRACE(static_cast<int>(letter));
        EXPECT_EQ(drives.Type(letter), DriveType::NoRootDir);
        EXPECT_FALSE(drives.Volume(letter).ok);
        const port::DiskSpace space = drives.FreeSpace(letter);
        EXPECT_EQ(space.total, -1);
        EXPECT_EQ(space.free, -1);
    }
    EXPECT_EQ(drives.IconIndex('1'), -1);
}

TEST(DrivesTest, FixedDriveHasAnIconInTheSystemList) {
    EXPECT_GE(win32::Win32Drives().IconIndex('C'), 0);
}

TEST(DrivesTest, CriticalErrorSuppressionIsUndoneExactly) {
    const UINT original = SetErrorMode(SEM_NOGPFAULTERRORBOX);
    win32::Win32Drives drives;
    drives.SuppressCriticalErrors(true);
    EXPECT_EQ(GetErrorMode(), static_cast<UINT>(SEM_NOGPFAULTERRORBOX | SEM_FAILCRITICALERRORS));
    // A second suppression must not make the suppressed mode the one to go back to.
    drives.SuppressCriticalErrors(true);
    drives.SuppressCriticalErrors(false);
    EXPECT_EQ(GetErrorMode(), static_cast<UINT>(SEM_NOGPFAULTERRORBOX));
    drives.SuppressCriticalErrors(false);
    EXPECT_EQ(GetErrorMode(), static_cast<UINT>(SEM_NOGPFAULTERRORBOX));
    SetErrorMode(original);
}

} // namespace
