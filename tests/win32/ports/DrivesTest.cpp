#include "platform/win32/Win32Drives.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace {

// Wine's C: is the prefix's drive_c and Z: is the host's root, both fixed; an unused letter
// and a character that is no letter are no drive at all.
TEST(DrivesTest, EachLetterAnswersWithItsClassVolumeAndSpace) {
    win32::Win32Drives drives;
    const std::uint32_t present = drives.LogicalDrives();
    char unused = 'Y';
    while (unused > 'D' && (present & (1u << (unused - 'A'))) != 0)
        --unused;
    for (const char letter : {'C', 'Z', 'c', unused, '1'}) {
        SCOPED_TRACE(letter);
        const bool drive = std::isalpha(letter) && letter != unused;
        EXPECT_EQ(drives.Type(letter), drive ? port::DriveType::Fixed : port::DriveType::NoRootDir);
        const port::VolumeInfo volume = drives.Volume(letter);
        EXPECT_EQ(volume.ok, drive);
        EXPECT_EQ(volume.fileSystem.empty(), !drive);
        if (letter != unused) {
            EXPECT_EQ(drives.IconIndex(letter) >= 0, drive);
        }
        const port::DiskSpace space = drives.FreeSpace(letter);
        EXPECT_GE(space.free, drive ? 0 : -1);
        EXPECT_GE(space.total, space.free);
        EXPECT_EQ(space.total == -1, !drive);
    }
}

// The "insert a disk" boxes go off for the probing thread only, and back as they were once
// every suppression is undone.
TEST(DrivesTest, CriticalErrorBoxesAreOffForThisThreadAndNest) {
    win32::Win32Drives drives;
    ASSERT_TRUE(SetThreadErrorMode(SEM_NOGPFAULTERRORBOX, nullptr));
    const UINT processMode = GetErrorMode();
    const auto boxesOff = [] { return (GetThreadErrorMode() & SEM_FAILCRITICALERRORS) != 0; };
    drives.SuppressCriticalErrors(true);
    drives.SuppressCriticalErrors(true);
    EXPECT_TRUE(boxesOff());
    EXPECT_EQ(GetErrorMode(), processMode);
    bool otherThreadBoxesOff = true;
    std::thread([&] { otherThreadBoxesOff = boxesOff(); }).join();
    EXPECT_FALSE(otherThreadBoxesOff);
    drives.SuppressCriticalErrors(false);
    EXPECT_TRUE(boxesOff()) << "the outer suppression still holds";
    drives.SuppressCriticalErrors(false);
    EXPECT_EQ(GetThreadErrorMode(), static_cast<DWORD>(SEM_NOGPFAULTERRORBOX));
    drives.SuppressCriticalErrors(false);
    EXPECT_EQ(GetThreadErrorMode(), static_cast<DWORD>(SEM_NOGPFAULTERRORBOX));
    SetThreadErrorMode(0, nullptr);
}

// Wine keeps C:'s label in drive_c/.windows-label and writes it only when that file exists;
// its volume query keeps the label it read first, so the file shows the change.
TEST(DrivesTest, SetLabelWritesTheLabelUnchanged) {
    const std::filesystem::path file = L"C:\\.windows-label";
    std::ofstream{file}.close();
    win32::Win32Drives drives;
    for (const std::string label : {"TRELVIX ü", ""}) {
        SCOPED_TRACE(label);
        std::string reason;
        EXPECT_TRUE(drives.SetLabel('C', label, reason)) << reason;
        std::ostringstream written;
        written << std::ifstream(file, std::ios::binary).rdbuf();
        std::string text = written.str();
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
            text.pop_back();
        EXPECT_EQ(text, label);
    }
    std::string reason;
    EXPECT_FALSE(drives.SetLabel('1', "X", reason));
    EXPECT_FALSE(reason.empty());
    std::filesystem::remove(file);
}

} // namespace
