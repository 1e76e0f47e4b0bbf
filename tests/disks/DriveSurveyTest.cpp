#include "app/RefreshCycle.h"
#include "disks/DriveSurvey.h"
#include "fakes/TestProgram.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <tuple>
#include <vector>

namespace {

using Lines = std::vector<std::string>;
using port::DriveType;

constexpr std::int64_t MB = 1048576;
const std::string Separator(139, '-');

fakes::FakeDrive Drive(DriveType type, const std::string& label, const std::string& fs,
                       std::int64_t total, std::int64_t free) {
    return {type, {true, label, fs}, {total, free}};
}

fakes::FakeDrive Unreadable(DriveType type) {
    return {type, {false, "", ""}, {-1, -1}};
}

// The machine of the first-survey example: fixed C: and E:, an empty CD-ROM drive at D:;
// and a floppy drive without a disk at B:.
void ExampleMachine(fakes::FakeDrives& d) {
    d.drives['B'] = Unreadable(DriveType::Removable);
    d.drives['C'] = Drive(DriveType::Fixed, "SYSTEM", "NTFS", 80026361856, 12587663360);
    d.drives['D'] = Unreadable(DriveType::CdRom);
    d.drives['E'] = Drive(DriveType::Fixed, "DATA", "FAT32", 40015953920, 20971520000);
}

TEST(FixedSurvey, FirstAndLaterSurveysOfTheExampleMachine) {
    fakes::TestProgram t;
    auto& drives = t.fake.drives.drives;
    ExampleMachine(t.fake.drives);
    t.Store("Interval", 5);
    auto& p = t.Start();
    auto& f = t.Main();
    EXPECT_EQ(f.ListBox1.Items(),
              (Lines{"C: [SYSTEM] (NTFS) Total: 76 319,1 Mbytes; Free: 12 004,5 Mbytes; ===",
                     "E: [DATA] (FAT32) Total: 38 162,2 Mbytes; Free: 20 000 Mbytes; ===",
                     Separator, "General: Total: 114 481,3 Mbytes; Free: 32 004,5 Mbytes; ==="}));
    EXPECT_EQ(f.ListBox2.Items(), Lines{"D: Cd-rom"});
    EXPECT_TRUE(f.ListBox3.Items().empty() && f.ListBox4.Items().empty());
    EXPECT_EQ(p.TraySummary, "C:T76 319,1;F12 004,5\rE:T38 162,2;F20 000\r\"Trelvix\"");

    // Every letter is classified once and only the listed classes are probed, C: once more
    // for its size before the floppy letters, all under suppressed error boxes.
    t.fake.drives.calls.clear();
    trelvix::SurveyFixedDrives(p);
    Lines probes;
    for (const fakes::DriveCall& call : t.fake.drives.calls)
        probes.push_back((call.suppressed ? "" : "boxes on: ") + call.what + " " + call.letter);
    // Only the letters listed by the system, and the floppy letters by their rule; the icon
    // of each is for the pickers of the same refresh.
    EXPECT_EQ(std::erase_if(probes, [](auto& probe) { return probe.starts_with("Type "); }), 5u);
    EXPECT_EQ(std::erase_if(probes, [](auto& probe) { return probe.starts_with("IconIndex "); }),
              5u);
    EXPECT_EQ(std::erase(probes, "boxes on: LogicalDrives  "), 1u);
    EXPECT_EQ(probes, (Lines{"FreeSpace C", "Volume C", "FreeSpace C", "Volume D", "Volume E",
                             "FreeSpace E"}));
    EXPECT_FALSE(t.fake.drives.suppressed) << "the error mode is restored at the end";

    // The next timer tick surveys again; the one after it compares with this one.
    drives['R'] = Drive(DriveType::RamDisk, "RAMDISK", "FAT", 64 * MB, 25 * MB / 2);
    f.ListBox1.SelectItem(1);
    f.Timer1.Tick();
    // One megabyte freed on C:, the RAM disk shrank.
    drives['C'].space.free += MB;
    drives['R'].space.free = 23 * MB / 2;
    f.Timer1.Tick();
    EXPECT_EQ(f.ListBox1.Items(),
              (Lines{"C: [SYSTEM] (NTFS) Total: 76 319,1 Mbytes; Free: 12 005,5 Mbytes; >>>",
                     "E: [DATA] (FAT32) Total: 38 162,2 Mbytes; Free: 20 000 Mbytes; ===",
                     Separator, "General: Total: 114 481,3 Mbytes; Free: 32 005,5 Mbytes; >>>"}));
    EXPECT_EQ(f.ListBox4.Items(),
              Lines{"R: [RAMDISK] (FAT) Total: 64 Mbytes; Free: 11,5 Mbytes<<<"});
    EXPECT_EQ(f.TrayIcon1.Hint(), "C:T76 319,1;F12 005,5\rE:T38 162,2;F20 000\r\"Trelvix\"");
    EXPECT_EQ(f.ListBox1.ItemIndex(), 1) << "the user's selection is put back";

    // One byte less moves the marker though the text stays the same; so does Refresh.
    drives['C'].space.free -= 1;
    f.SpeedButton1.Click();
    EXPECT_TRUE(f.ListBox1.Item(0).ends_with("12 005,5 Mbytes; <<<")) << f.ListBox1.Item(0);
    EXPECT_TRUE(f.ListBox1.Item(3).ends_with("32 005,5 Mbytes; <<<")) << f.ListBox1.Item(3);
}

TEST(FixedSurvey, FailureLinesAndAnAccessDeniedFixedDriveCountingMinusOne) {
    fakes::TestProgram t;
    auto& drives = t.fake.drives.drives;
    drives['C'] = Drive(DriveType::Fixed, "", "NTFS", 100 * MB, 50 * MB);
    drives['D'] = Drive(DriveType::Fixed, "", "NTFS", -1, -1);
    drives['F'] = Drive(DriveType::CdRom, "", "CDFS", -1, -1);
    drives['G'] = Unreadable(DriveType::CdRom);
    drives['N'] = Unreadable(DriveType::Remote);
    drives['R'] = Unreadable(DriveType::RamDisk);
    // Only one query failed: the full line, its number made from -1.
    drives['S'] = Drive(DriveType::RamDisk, "", "FAT", 8 * MB, -1);
    // Removable, unknown and out-of-range types are not listed here.
    drives['U'] = Drive(DriveType::Removable, "USB", "FAT32", 8 * MB, 4 * MB);
    drives['V'] = Drive(DriveType::Unknown, "", "NTFS", 8 * MB, 4 * MB);
    drives['W'] = Drive(static_cast<DriveType>(7), "", "NTFS", 8 * MB, 4 * MB);
    auto& p = t.Start();
    auto& f = t.Main();
    EXPECT_EQ(f.ListBox1.Items(),
              (Lines{"C: [] (NTFS) Total: 100 Mbytes; Free: 50 Mbytes; ===", "D: Access Denied",
                     Separator, "General: Total: 100 Mbytes; Free: 50 Mbytes; ==="}));
    EXPECT_EQ(p.TraySummary, "C:T100;F50\rD:T0;F0\r\"Trelvix\"");
    EXPECT_EQ(f.ListBox2.Items(), (Lines{"F: Cd-Rom", "G: Cd-rom"}));
    EXPECT_EQ(f.ListBox3.Items(), Lines{"N: Access Denied"});
    EXPECT_EQ(f.ListBox4.Items(),
              (Lines{"R: Access Denied", "S: [] (FAT) Total: 8 Mbytes; Free: 0 Mbytes==="}));
    EXPECT_EQ(f.GroupBox5.Left(), 5) << "an unreadable drive still shows its group";
    // In bytes the -1 shows.
    p.ChangeOfBytes = 1;
    trelvix::ResetChangeMarkers(p);
    trelvix::RefreshAll(p);
    EXPECT_EQ(f.ListBox1.Item(3), "General: Total: 104 857 599 bytes; Free: 52 428 799 bytes; ===");
    EXPECT_EQ(p.TraySummary, "C:T104 857 600;F52 428 800\rD:T-1;F-1\r\"Trelvix\"");
}

// The floppy-letter pass: which line A: and B: give, and whether it shows their class's group.
TEST(FixedSurvey, FloppyLetterPass) {
    enum Outcome { Full, CapacityFailed, VolumeUnreadable };
    const DriveType F = DriveType::Fixed, C = DriveType::CdRom, N = DriveType::Remote,
                    R = DriveType::RamDisk;
    const char* denied[] = {"A: Access Denied", "B: Access Denied"};
    const std::string full = ": [L] (FS) Total: 2 Mbytes; Free: 1 Mbytes; ===";
    // Type, outcome, the failure lines of A: and B:, and whether each shows the group.
    const std::tuple<DriveType, Outcome, const char*, const char*, bool, bool> cases[] = {
        {F, Full, "", "", true, true},
        {F, CapacityFailed, denied[0], denied[1], true, false},
        {F, VolumeUnreadable, denied[0], denied[1], false, false},
        {C, Full, "", "", true, true},
        {C, CapacityFailed, "A: Cd-Rom", "B: Cd-Rom", true, false},
        {C, VolumeUnreadable, "A: Cd-Rom", "B: Cd-rom", false, false},
        {N, Full, "", "", true, true},
        {N, CapacityFailed, denied[0], denied[1], true, true},
        {N, VolumeUnreadable, denied[0], denied[1], false, false},
        {R, Full, "", "", true, true},
        {R, CapacityFailed, denied[0], denied[1], false, false},
        {R, VolumeUnreadable, denied[0], denied[1], false, false},
    };
    for (const auto& [type, outcome, lineA, lineB, presentA, presentB] : cases) {
        for (char letter : {'A', 'B'}) {
            SCOPED_TRACE(testing::Message()
                         << letter << " type " << static_cast<int>(type) << " outcome " << outcome);
            fakes::TestProgram t;
            auto& drives = t.fake.drives.drives;
            // C: has a size and is of another class than the letter under test.
            drives['C'] = Drive(type == F ? R : F, "", "NTFS", 100 * MB, 50 * MB);
            drives[letter] = outcome == Full             ? Drive(type, "L", "FS", 2 * MB, MB)
                             : outcome == CapacityFailed ? Drive(type, "L", "FS", -1, -1)
                                                         : Unreadable(type);
            auto& p = t.Start();
            auto& f = t.Main();
            trelvix::SurveyFixedDrives(p);
            const int list = type == F ? 0 : type == C ? 1 : type == N ? 2 : 3;
            const tk::ListBox* lists[] = {&f.ListBox1, &f.ListBox2, &f.ListBox3, &f.ListBox4};
            EXPECT_EQ(lists[list]->Item(0), outcome == Full ? letter + full
                                            : letter == 'A' ? lineA
                                                            : lineB);
            const bool flags[] = {p.FixedPresent, p.CdPresent, p.NetPresent, p.RamPresent};
            EXPECT_EQ(flags[list], letter == 'A' ? presentA : presentB);
            // Floppy letters stay out of the General sums and the tray summary.
            EXPECT_EQ(p.TraySummary.find(letter), std::string::npos);
        }
    }
}

TEST(RemovableSurvey, OnlyOnRefreshOfItsPageAndWithItsOwnMarkers) {
    fakes::TestProgram t;
    ExampleMachine(t.fake.drives);
    auto& drives = t.fake.drives.drives;
    drives['G'] = Drive(DriveType::Removable, "STICK", "FAT32", 1024 * MB, 512 * MB);
    drives['H'] = Drive(DriveType::Removable, "CARD", "FAT", -1, -1);
    drives['R'] = Drive(DriveType::RamDisk, "RAM", "FAT", 64 * MB, 32 * MB);
    auto& p = t.Start();
    auto& f = t.Main();
    auto fourLists = [&f] {
        return std::array{f.ListBox1.Items(), f.ListBox2.Items(), f.ListBox3.Items(),
                          f.ListBox4.Items()};
    };
    const auto before = fourLists();
    f.PageControl1.SelectTab(1);
    drives['C'].space.free -= MB;
    drives['N'] = Drive(DriveType::Remote, "Share", "NTFS", MB, MB);
    f.ShortCut(116); // F5
    EXPECT_EQ(
        f.ListBox11.Items(),
        (Lines{"B: Access Denied", "G: [STICK] (FAT32) Total: 1 024 Mbytes; Free: 512 Mbytes; ===",
               "H: [CARD] (FAT) Total: 0 Mbytes; Free: 0 Mbytes; ==="}));
    EXPECT_EQ(fourLists(), before);
    EXPECT_EQ(f.SpeedButton1.Glyph().name, "Off.bmp");
    // The pickers follow, without reading removable or CD volumes: that waits for a medium.
    // Their whole text is in lower case, volume names too.
    std::string shown;
    for (const tk::DriveItem& item : f.DriveComboBox2.Drives())
        shown += item.text + "/" + std::to_string(item.icon) + " ";
    EXPECT_EQ(shown, "b:/1 c: [system]/2 d:/3 e: [data]/4 g:/6 h:/7 n: [share]/13 r: [ram]/17 ");

    // It compares on its own, and leaves the error boxes on: the user asked for it.
    drives['G'].space.free -= MB;
    t.fake.drives.calls.clear();
    f.ShortCut(116);
    EXPECT_EQ(f.ListBox11.Item(1), "G: [STICK] (FAT32) Total: 1 024 Mbytes; Free: 511 Mbytes; <<<");
    for (const fakes::DriveCall& call : t.fake.drives.calls)
        EXPECT_TRUE(call.what != "FreeSpace" || !call.suppressed) << call.letter;

    // A change of unit: the next survey of each kind shows "===" everywhere.
    for (char letter : {'C', 'E', 'G', 'R'})
        drives[letter].space.free -= MB;
    p.ChangeOfBytes = 1024;
    trelvix::ResetChangeMarkers(p);
    trelvix::RefreshAll(p);
    f.ShortCut(116);
    for (const std::string& line :
         {f.ListBox1.Item(0), f.ListBox1.Item(1), f.ListBox1.Item(3), f.ListBox11.Item(1)})
        EXPECT_TRUE(line.ends_with("Kbytes; ===")) << line;
    EXPECT_TRUE(f.ListBox4.Item(0).ends_with("Kbytes===")) << f.ListBox4.Item(0);
    // The next survey compares again, in the new unit.
    drives['C'].space.free -= 1024;
    trelvix::RefreshAll(p);
    EXPECT_TRUE(f.ListBox1.Item(0).ends_with("; <<<")) << f.ListBox1.Item(0);
}

} // namespace
