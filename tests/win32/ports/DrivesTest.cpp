#include "platform/win32/Win32Drives.h"

#include "platform/win32/Handle.h"

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

// The "insert a disk" boxes go off for the probing thread only; each thread gives back its
// own mode, whatever the other threads do meanwhile, and scopes nest.
TEST(DrivesTest, CriticalErrorBoxesAreOffPerThreadAndEachRestoresItsOwnMode) {
    win32::Win32Drives drives;
    const auto boxesOff = [] { return (GetThreadErrorMode() & SEM_FAILCRITICALERRORS) != 0; };
    const UINT processMode = GetErrorMode();
    // Both threads suppress, then the first restores before the second: a mode kept in the
    // shared object would go to the wrong thread.
    const win32::UniqueHandle firstSuppressed(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    const win32::UniqueHandle secondSuppressed(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    const win32::UniqueHandle firstRestored(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    struct Probe {
        DWORD ownMode;
        HANDLE before, suppressed, beforeRestoring, restored; // each may be none
        DWORD endMode = 0xFFFF;
        bool offInside = false, nestedHeld = false;
    };
    Probe probes[] = {
        {SEM_NOGPFAULTERRORBOX, nullptr, firstSuppressed.get(), secondSuppressed.get(),
         firstRestored.get()},
        {0, firstSuppressed.get(), secondSuppressed.get(), firstRestored.get(), nullptr}};
    const auto step = [](HANDLE waitFor, HANDLE signal) {
        if (waitFor != nullptr)
            WaitForSingleObject(waitFor, 10000);
        if (signal != nullptr)
            SetEvent(signal);
    };
    const auto run = [&](Probe& probe) {
        SetThreadErrorMode(probe.ownMode, nullptr);
        step(probe.before, nullptr);
        const std::uint32_t outer = drives.SuppressCriticalErrors();
        const std::uint32_t inner = drives.SuppressCriticalErrors();
        step(nullptr, probe.suppressed);
        step(probe.beforeRestoring, nullptr);
        probe.offInside = boxesOff();
        drives.RestoreCriticalErrors(inner);
        probe.nestedHeld = boxesOff();
        drives.RestoreCriticalErrors(outer);
        probe.endMode = GetThreadErrorMode();
        step(nullptr, probe.restored);
    };
    {
        std::thread first(run, std::ref(probes[0]));
        std::thread second(run, std::ref(probes[1]));
        first.join();
        second.join();
    }
    for (const Probe& probe : probes) {
        SCOPED_TRACE(probe.ownMode);
        EXPECT_TRUE(probe.offInside);
        EXPECT_TRUE(probe.nestedHeld) << "the outer suppression still holds";
        EXPECT_EQ(probe.endMode, probe.ownMode);
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
