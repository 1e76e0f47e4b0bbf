#include "platform/win32/Win32Drives.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <latch>
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

// The "insert a disk" boxes go off for the probing thread only; each thread gives back its
// own mode, whatever the other threads do meanwhile, and scopes nest.
TEST(DrivesTest, CriticalErrorBoxesAreOffPerThreadAndEachRestoresItsOwnMode) {
    win32::Win32Drives drives;
    const auto boxesOff = [] { return (GetThreadErrorMode() & SEM_FAILCRITICALERRORS) != 0; };
    const UINT processMode = GetErrorMode();
    // Two threads with different modes of their own suppress and restore, interleaved so
    // that a mode kept in the shared object would be given to the wrong thread.
    std::latch suppressed(2), firstRestored(1);
    const auto probe = [&](DWORD ownMode, bool restoreFirst, DWORD& endMode, bool& offInside,
                           bool& nestedHeld) {
        SetThreadErrorMode(ownMode, nullptr);
        const std::uint32_t outer = drives.SuppressCriticalErrors();
        const std::uint32_t inner = drives.SuppressCriticalErrors();
        suppressed.arrive_and_wait();
        if (!restoreFirst)
            firstRestored.wait();
        offInside = boxesOff();
        drives.RestoreCriticalErrors(inner);
        nestedHeld = boxesOff();
        drives.RestoreCriticalErrors(outer);
        endMode = GetThreadErrorMode();
        if (restoreFirst)
            firstRestored.count_down();
    };
    struct Thread {
        DWORD ownMode;
        bool restoreFirst;
        DWORD endMode = 0xFFFF;
        bool offInside = false, nestedHeld = false;
    };
    Thread threads[] = {{SEM_NOGPFAULTERRORBOX, false}, {0, true}};
    {
        std::jthread a(probe, threads[0].ownMode, threads[0].restoreFirst,
                       std::ref(threads[0].endMode), std::ref(threads[0].offInside),
                       std::ref(threads[0].nestedHeld));
        std::jthread b(probe, threads[1].ownMode, threads[1].restoreFirst,
                       std::ref(threads[1].endMode), std::ref(threads[1].offInside),
                       std::ref(threads[1].nestedHeld));
    }
    for (const Thread& t : threads) {
        SCOPED_TRACE(t.ownMode);
        EXPECT_TRUE(t.offInside);
        EXPECT_TRUE(t.nestedHeld) << "the outer suppression still holds";
        EXPECT_EQ(t.endMode, t.ownMode);
    }
    EXPECT_FALSE(boxesOff()) << "the test's own thread was never touched";
    EXPECT_EQ(GetErrorMode(), processMode);
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
