#include "app/ProceduresOfOthers.h"
#include "disks/ProceduresOfDisks.h"
#include "fakes/TestProgram.h"

#include <gtest/gtest.h>

#include <string>
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

// The machine of the first-survey example: fixed C: and E:, an empty CD-ROM drive at D:.
void ExampleMachine(fakes::FakeDrives& d) {
    d.drives['C'] = Drive(DriveType::Fixed, "SYSTEM", "NTFS", 80026361856, 12587663360);
    d.drives['D'] = Unreadable(DriveType::CdRom);
    d.drives['E'] = Drive(DriveType::Fixed, "DATA", "FAT32", 40015953920, 20971520000);
}

TEST(FixedSurvey, FirstSurveyOfTheExampleMachine) {
    fakes::TestProgram t;
    ExampleMachine(t.fake.drives);
    auto& p = t.Start();
    auto& f = t.Main();
    EXPECT_EQ(f.ListBox1.Items(),
              (Lines{"C: [SYSTEM] (NTFS) Total: 76 319,1 Mbytes; Free: 12 004,5 Mbytes; ===",
                     "E: [DATA] (FAT32) Total: 38 162,2 Mbytes; Free: 20 000 Mbytes; ===",
                     Separator, "General: Total: 114 481,3 Mbytes; Free: 32 004,5 Mbytes; ==="}));
    EXPECT_EQ(f.ListBox2.Items(), Lines{"D: Cd-rom"});
    EXPECT_TRUE(f.ListBox3.Items().empty());
    EXPECT_TRUE(f.ListBox4.Items().empty());
    EXPECT_EQ(p.TraySummary, "C:T76 319,1;F12 004,5\rE:T38 162,2;F20 000\r\"Trelvix\"");
    EXPECT_EQ(f.TrayIcon1.Hint(), p.TraySummary);
    EXPECT_EQ(p.UnitSuffix, " Mbytes");
    // Nothing selected: the remembered 100 lies past every list's end.
    EXPECT_EQ(f.ListBox1.ItemIndex(), -1);
}

TEST(FixedSurvey, MarkersFollowTheFreeSpace) {
    fakes::TestProgram t;
    ExampleMachine(t.fake.drives);
    t.Start();
    auto& f = t.Main();
    trelvix::RefreshAll(t.P()); // compares from here on, whatever start-up did to the unit
    EXPECT_EQ(f.ListBox1.Item(0),
              "C: [SYSTEM] (NTFS) Total: 76 319,1 Mbytes; Free: 12 004,5 Mbytes; ===");
    EXPECT_EQ(f.ListBox1.Item(3), "General: Total: 114 481,3 Mbytes; Free: 32 004,5 Mbytes; ===");

    t.fake.drives.drives['C'].space.free += MB;
    trelvix::RefreshAll(t.P());
    EXPECT_EQ(f.ListBox1.Item(0),
              "C: [SYSTEM] (NTFS) Total: 76 319,1 Mbytes; Free: 12 005,5 Mbytes; >>>");
    EXPECT_EQ(f.ListBox1.Item(1),
              "E: [DATA] (FAT32) Total: 38 162,2 Mbytes; Free: 20 000 Mbytes; ===");
    EXPECT_EQ(f.ListBox1.Item(3), "General: Total: 114 481,3 Mbytes; Free: 32 005,5 Mbytes; >>>");

    // One byte less moves the marker though the text stays the same.
    t.fake.drives.drives['C'].space.free -= 1;
    trelvix::RefreshAll(t.P());
    EXPECT_EQ(f.ListBox1.Item(0),
              "C: [SYSTEM] (NTFS) Total: 76 319,1 Mbytes; Free: 12 005,5 Mbytes; <<<");
    EXPECT_EQ(f.ListBox1.Item(3), "General: Total: 114 481,3 Mbytes; Free: 32 005,5 Mbytes; <<<");
}

TEST(FixedSurvey, RamDiskLinesCarryTheBareMarker) {
    fakes::TestProgram t;
    auto& drives = t.fake.drives.drives;
    drives['C'] = Drive(DriveType::Fixed, "", "NTFS", 100 * MB, 50 * MB);
    drives['R'] = Drive(DriveType::RamDisk, "RAMDISK", "FAT", 64 * MB, 23 * MB / 2);
    t.Start();
    auto& f = t.Main();
    trelvix::RefreshAll(t.P());
    EXPECT_EQ(f.ListBox4.Items(),
              Lines{"R: [RAMDISK] (FAT) Total: 64 Mbytes; Free: 11,5 Mbytes==="});
    drives['R'].space.free = 25 * MB / 2;
    trelvix::RefreshAll(t.P());
    EXPECT_EQ(f.ListBox4.Items(),
              Lines{"R: [RAMDISK] (FAT) Total: 64 Mbytes; Free: 12,5 Mbytes>>>"});
    drives['R'].space.free = 23 * MB / 2;
    trelvix::RefreshAll(t.P());
    EXPECT_EQ(f.ListBox4.Items(),
              Lines{"R: [RAMDISK] (FAT) Total: 64 Mbytes; Free: 11,5 Mbytes<<<"});
    // The empty label shows empty brackets; RAM disks stay out of the General line.
    EXPECT_EQ(f.ListBox1.Item(0), "C: [] (NTFS) Total: 100 Mbytes; Free: 50 Mbytes; ===");
    EXPECT_EQ(f.ListBox1.Item(2), "General: Total: 100 Mbytes; Free: 50 Mbytes; ===");
}

TEST(FixedSurvey, NoFixedDriveLeavesSeparatorAndZeroGeneralLine) {
    fakes::TestProgram t;
    t.fake.drives.drives['N'] = Drive(DriveType::Remote, "SHARE", "NTFS", 10 * MB, 5 * MB);
    auto& p = t.Start();
    auto& f = t.Main();
    EXPECT_EQ(f.ListBox1.Items(),
              (Lines{Separator, "General: Total: 0 Mbytes; Free: 0 Mbytes; ==="}));
    EXPECT_EQ(f.ListBox3.Items(), Lines{"N: [SHARE] (NTFS) Total: 10 Mbytes; Free: 5 Mbytes; ==="});
    EXPECT_EQ(p.TraySummary, "\"Trelvix\"");
}

TEST(FixedSurvey, AccessDeniedFixedDriveStillCountsMinusOne) {
    struct Case {
        std::int64_t divisor;
        const char* general;
        const char* tray;
    };
    const Case cases[] = {
        {1, "General: Total: 104 857 599 bytes; Free: 52 428 799 bytes; ===",
         "C:T104 857 600;F52 428 800\rD:T-1;F-1\r\"Trelvix\""},
        {MB,
         "General: Total: 100 Mbytes; Free: 50 Mbytes; ===", "C:T100;F50\rD:T0;F0\r\"Trelvix\""},
    };
    for (const Case& c : cases) {
        fakes::TestProgram t;
        t.Store("ChangeOfBytes", static_cast<std::uint32_t>(c.divisor));
        t.fake.drives.drives['C'] = Drive(DriveType::Fixed, "", "NTFS", 100 * MB, 50 * MB);
        t.fake.drives.drives['D'] = Drive(DriveType::Fixed, "", "NTFS", -1, -1);
        auto& p = t.Start();
        auto& f = t.Main();
        ASSERT_EQ(f.ListBox1.Count(), 4) << c.divisor;
        EXPECT_EQ(f.ListBox1.Item(1), "D: Access Denied") << c.divisor;
        EXPECT_EQ(f.ListBox1.Item(3), c.general) << c.divisor;
        EXPECT_EQ(p.TraySummary, c.tray) << c.divisor;
    }
}

TEST(FixedSurvey, FailureLinesOfTheHardLetters) {
    fakes::TestProgram t;
    auto& drives = t.fake.drives.drives;
    drives['C'] = Drive(DriveType::Fixed, "", "NTFS", 100 * MB, 50 * MB);
    drives['D'] = Unreadable(DriveType::Fixed);
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
    t.Start();
    auto& f = t.Main();
    EXPECT_EQ(f.ListBox1.Item(1), "D: Access Denied");
    EXPECT_EQ(f.ListBox1.Count(), 4);
    EXPECT_EQ(f.ListBox2.Items(), (Lines{"F: Cd-Rom", "G: Cd-rom"}));
    EXPECT_EQ(f.ListBox3.Items(), Lines{"N: Access Denied"});
    EXPECT_EQ(f.ListBox4.Items(),
              (Lines{"R: Access Denied", "S: [] (FAT) Total: 8 Mbytes; Free: 0 Mbytes==="}));
    // Unreadable drives still show their groups.
    EXPECT_EQ(f.GroupBox4.Left(), 5);
    EXPECT_EQ(f.GroupBox5.Left(), 5);
    EXPECT_EQ(f.GroupBox6.Left(), 5);
}

// The floppy-letter pass: which line goes where, and whether it shows the class's group.
enum class Outcome { Full, CapacityFailed, VolumeUnreadable };

struct FloppyCase {
    char letter;
    DriveType type;
    Outcome outcome;
    int list; // 0..3 = ListBox1..ListBox4
    const char* line;
    bool present;
};

TEST(FixedSurvey, FloppyLetterPass) {
    using enum Outcome;
    const DriveType F = DriveType::Fixed, C = DriveType::CdRom, N = DriveType::Remote,
                    R = DriveType::RamDisk;
    const char* full = "] (FS) Total: 2 Mbytes; Free: 1 Mbytes; ===";
    const FloppyCase cases[] = {
        {'A', F, Full, 0, full, true},
        {'A', F, CapacityFailed, 0, "A: Access Denied", true},
        {'A', F, VolumeUnreadable, 0, "A: Access Denied", false},
        {'B', F, Full, 0, full, true},
        {'B', F, CapacityFailed, 0, "B: Access Denied", false},
        {'B', F, VolumeUnreadable, 0, "B: Access Denied", false},
        {'A', C, Full, 1, full, true},
        {'A', C, CapacityFailed, 1, "A: Cd-Rom", true},
        {'A', C, VolumeUnreadable, 1, "A: Cd-Rom", false},
        {'B', C, Full, 1, full, true},
        {'B', C, CapacityFailed, 1, "B: Cd-Rom", false},
        {'B', C, VolumeUnreadable, 1, "B: Cd-rom", false},
        {'A', N, Full, 2, full, true},
        {'A', N, CapacityFailed, 2, "A: Access Denied", true},
        {'A', N, VolumeUnreadable, 2, "A: Access Denied", false},
        {'B', N, Full, 2, full, true},
        {'B', N, CapacityFailed, 2, "B: Access Denied", true},
        {'B', N, VolumeUnreadable, 2, "B: Access Denied", false},
        {'A', R, Full, 3, full, true},
        {'A', R, CapacityFailed, 3, "A: Access Denied", false},
        {'A', R, VolumeUnreadable, 3, "A: Access Denied", false},
        {'B', R, Full, 3, full, true},
        {'B', R, CapacityFailed, 3, "B: Access Denied", false},
        {'B', R, VolumeUnreadable, 3, "B: Access Denied", false},
    };
    for (const FloppyCase& c : cases) {
        std::string name = std::string(1, c.letter) + " type " +
                           std::to_string(static_cast<int>(c.type)) + " outcome " +
                           std::to_string(static_cast<int>(c.outcome));
        fakes::TestProgram t;
        auto& drives = t.fake.drives.drives;
        // C: has a size and is of another class than the letter under test.
        drives['C'] = Drive(c.type == F ? R : F, "", "NTFS", 100 * MB, 50 * MB);
        drives[c.letter] = c.outcome == Full             ? Drive(c.type, "L", "FS", 2 * MB, MB)
                           : c.outcome == CapacityFailed ? Drive(c.type, "L", "FS", -1, -1)
                                                         : Unreadable(c.type);
        auto& p = t.Start();
        auto& f = t.Main();
        p.FixedPresent = p.CdPresent = p.NetPresent = p.RamPresent = false;
        trelvix::SurveyFixedDrives(p);
        tk::ListBox* lists[] = {&f.ListBox1, &f.ListBox2, &f.ListBox3, &f.ListBox4};
        const std::string expected =
            c.outcome == Full ? std::string(1, c.letter) + ": [L" + full : std::string(c.line);
        EXPECT_EQ(lists[c.list]->Item(0), expected) << name;
        bool flags[] = {p.FixedPresent, p.CdPresent, p.NetPresent, p.RamPresent};
        EXPECT_EQ(flags[c.list], c.present) << name;
        // Floppy letters stay out of the General sums and the tray summary.
        EXPECT_EQ(p.TraySummary.find(c.letter), std::string::npos) << name;
    }
}

TEST(FixedSurvey, FloppyLettersWaitForASizedSystemDrive) {
    fakes::TestProgram t;
    auto& drives = t.fake.drives.drives;
    drives['A'] = Drive(DriveType::Fixed, "", "FAT", 2 * MB, MB);
    drives['B'] = Drive(DriveType::Removable, "", "FAT", 2 * MB, MB);
    drives['D'] = Drive(DriveType::Fixed, "", "NTFS", 100 * MB, 50 * MB);
    auto& p = t.Start();
    auto& f = t.Main();
    // C: is missing: A: is not looked at, and the lists hold no stale lines.
    t.fake.drives.calls.clear();
    trelvix::SurveyFixedDrives(p);
    EXPECT_EQ(f.ListBox1.Count(), 3);
    EXPECT_EQ(f.ListBox1.Item(0).substr(0, 2), "D:");
    EXPECT_EQ(t.fake.drives.Count("Volume", 'A'), 0);
    // A removable floppy is never probed by the fixed survey.
    drives['C'] = Drive(DriveType::Fixed, "", "NTFS", 100 * MB, 50 * MB);
    trelvix::SurveyFixedDrives(p);
    EXPECT_EQ(f.ListBox1.Item(0).substr(0, 2), "A:");
    EXPECT_EQ(t.fake.drives.Count("Volume", 'B'), 0);
}

TEST(FixedSurvey, QueriesEachLetterOnceUnderSuppressedErrorBoxes) {
    fakes::TestProgram t;
    ExampleMachine(t.fake.drives);
    t.fake.drives.drives['A'] = Unreadable(DriveType::Removable);
    auto& p = t.Start();
    auto& d = t.fake.drives;
    d.calls.clear();
    trelvix::SurveyFixedDrives(p);
    struct Expected {
        char letter;
        int type, volume, freeSpace;
    };
    // C: is asked for its size once more, to decide on the floppy letters.
    const Expected expected[] = {{'A', 1, 0, 0}, {'B', 1, 0, 0}, {'C', 1, 1, 2}, {'D', 1, 1, 0},
                                 {'E', 1, 1, 1}, {'F', 1, 0, 0}, {'Z', 1, 0, 0}};
    for (const Expected& e : expected) {
        EXPECT_EQ(d.Count("Type", e.letter), e.type) << e.letter;
        EXPECT_EQ(d.Count("Volume", e.letter), e.volume) << e.letter;
        EXPECT_EQ(d.Count("FreeSpace", e.letter), e.freeSpace) << e.letter;
    }
    EXPECT_EQ(d.calls.size(), 26u + 3u + 3u);
    for (const fakes::DriveCall& call : d.calls)
        EXPECT_TRUE(call.suppressed) << call.what << " " << call.letter;
    EXPECT_FALSE(d.suppressed) << "the error mode is restored at the end";
}

TEST(FixedSurvey, RemembersAndReappliesSelections) {
    fakes::TestProgram t;
    ExampleMachine(t.fake.drives);
    auto& p = t.Start();
    auto& f = t.Main();
    f.ListBox1.SelectItem(1);
    f.ListBox2.SelectItem(0);
    EXPECT_EQ(p.FixedSelection, 1);
    EXPECT_EQ(p.CdSelection, 0);
    trelvix::RefreshAll(t.P());
    EXPECT_EQ(f.ListBox1.ItemIndex(), 1);
    EXPECT_EQ(f.ListBox2.ItemIndex(), 0);
    // Positional: when E: goes, the same position holds the separator.
    t.fake.drives.drives.erase('E');
    trelvix::RefreshAll(t.P());
    EXPECT_EQ(f.ListBox1.ItemIndex(), 1);
    EXPECT_EQ(f.ListBox1.Item(1), Separator);
}

TEST(RemovableSurvey, ListsOnlyRemovableDrivesAndComparesOnItsOwn) {
    fakes::TestProgram t;
    ExampleMachine(t.fake.drives);
    auto& drives = t.fake.drives.drives;
    drives['A'] = Unreadable(DriveType::Removable);
    drives['G'] = Drive(DriveType::Removable, "STICK", "FAT32", 1024 * MB, 512 * MB);
    drives['H'] = Drive(DriveType::Removable, "CARD", "FAT", -1, -1);
    auto& p = t.Start();
    auto& f = t.Main();
    EXPECT_EQ(f.ListBox11.Items(), Lines{"Press Refresh or F5 for Access to disks"});
    trelvix::SurveyRemovableDrives(p);
    EXPECT_EQ(
        f.ListBox11.Items(),
        (Lines{"A: Access Denied", "G: [STICK] (FAT32) Total: 1 024 Mbytes; Free: 512 Mbytes; ===",
               "H: [CARD] (FAT) Total: 0 Mbytes; Free: 0 Mbytes; ==="}));
    EXPECT_EQ(f.ListBox11.ItemIndex(), 0);
    drives['G'].space.free -= MB;
    f.ListBox11.SelectItem(1);
    trelvix::SurveyRemovableDrives(p);
    EXPECT_EQ(f.ListBox11.Item(1), "G: [STICK] (FAT32) Total: 1 024 Mbytes; Free: 511 Mbytes; <<<");
    EXPECT_EQ(f.ListBox11.ItemIndex(), 1);
    // Error boxes are left as the system has them; only removable drives are probed.
    t.fake.drives.calls.clear();
    trelvix::SurveyRemovableDrives(p);
    for (const fakes::DriveCall& call : t.fake.drives.calls) {
        EXPECT_FALSE(call.suppressed) << call.what << " " << call.letter;
        if (call.what != "Type") {
            EXPECT_TRUE(call.letter == 'A' || call.letter == 'G' || call.letter == 'H')
                << call.what << " " << call.letter;
        }
    }
}

TEST(ChangeMarkers, UnitChangeMakesEveryNextMarkerEqual) {
    fakes::TestProgram t;
    ExampleMachine(t.fake.drives);
    auto& drives = t.fake.drives.drives;
    drives['G'] = Drive(DriveType::Removable, "STICK", "FAT32", 1024 * MB, 512 * MB);
    drives['R'] = Drive(DriveType::RamDisk, "RAM", "FAT", 64 * MB, 32 * MB);
    auto& p = t.Start();
    auto& f = t.Main();
    trelvix::RefreshAll(t.P());
    trelvix::SurveyRemovableDrives(p);
    for (char letter : {'C', 'E', 'G', 'R'})
        drives[letter].space.free -= MB;

    p.ChangeOfBytes = 1024;
    trelvix::ResetChangeMarkers(p);
    trelvix::RefreshAll(t.P());
    trelvix::SurveyRemovableDrives(p);
    EXPECT_EQ(p.UnitSuffix, " Kbytes");
    for (const std::string& line :
         {f.ListBox1.Item(0), f.ListBox1.Item(1), f.ListBox1.Item(3), f.ListBox11.Item(0)})
        EXPECT_TRUE(line.ends_with("Kbytes; ===")) << line;
    EXPECT_TRUE(f.ListBox4.Item(0).ends_with("Kbytes===")) << f.ListBox4.Item(0);

    // The next survey compares again, in the new unit.
    drives['C'].space.free -= 1024;
    trelvix::RefreshAll(t.P());
    EXPECT_TRUE(f.ListBox1.Item(0).ends_with("; <<<")) << f.ListBox1.Item(0);
}

TEST(ChangeMarkers, ADriveThatArrivesLaterComparesWithZero) {
    fakes::TestProgram t;
    t.fake.drives.drives['C'] = Drive(DriveType::Fixed, "", "NTFS", 100 * MB, 50 * MB);
    t.Start();
    auto& f = t.Main();
    trelvix::RefreshAll(t.P());
    t.fake.drives.drives['E'] = Drive(DriveType::Fixed, "", "NTFS", 100 * MB, 50 * MB);
    t.fake.drives.drives['F'] = Drive(DriveType::Fixed, "", "NTFS", 100 * MB, 0);
    trelvix::RefreshAll(t.P());
    EXPECT_TRUE(f.ListBox1.Item(1).ends_with("; >>>")) << f.ListBox1.Item(1);
    EXPECT_TRUE(f.ListBox1.Item(2).ends_with("; ===")) << f.ListBox1.Item(2);
}

TEST(DrivePickers, EveryPresentLetterWithIconAndNameWhereSafe) {
    fakes::TestProgram t;
    ExampleMachine(t.fake.drives);
    auto& drives = t.fake.drives.drives;
    drives['A'] = Unreadable(DriveType::Removable);
    drives['G'] = Drive(DriveType::Removable, "STICK", "FAT32", MB, MB);
    drives['N'] = Drive(DriveType::Remote, "Share", "NTFS", MB, MB);
    drives['R'] = Drive(DriveType::RamDisk, "", "FAT", MB, MB);
    auto& p = t.Start();
    auto& f = t.Main();
    const std::vector<tk::DriveItem> expected = {
        {'A', "a:", 0}, {'C', "c: [SYSTEM]", 2}, {'D', "d:", 3},     {'E', "e: [DATA]", 4},
        {'G', "g:", 6}, {'N', "n: [Share]", 13}, {'R', "r: []", 17},
    };
    EXPECT_EQ(f.DriveComboBox1.Drives(), expected);
    EXPECT_EQ(f.DriveComboBox2.Drives(), expected);
    EXPECT_EQ(f.DriveComboBox1.Drive(), 'C');

    auto& d = t.fake.drives;
    d.calls.clear();
    trelvix::RefreshDrivePickers(p);
    // One pass serves both pickers; no removable or CD volume is touched.
    EXPECT_EQ(d.Count("LogicalDrives", ' '), 1);
    for (char letter : {'A', 'D', 'G'})
        EXPECT_EQ(d.Count("Volume", letter), 0) << letter;
    for (char letter : {'C', 'E', 'N', 'R'})
        EXPECT_EQ(d.Count("Volume", letter), 1) << letter;
    for (const fakes::DriveCall& call : d.calls)
        if (call.what != "LogicalDrives") {
            EXPECT_TRUE(call.suppressed) << call.what << " " << call.letter;
        }

    // Each picker keeps its own drive while it is present.
    f.DriveComboBox1.SelectDrive('E');
    f.DriveComboBox2.SelectDrive('G');
    trelvix::RefreshDrivePickers(p);
    EXPECT_EQ(f.DriveComboBox1.Drive(), 'E');
    EXPECT_EQ(f.DriveComboBox2.Drive(), 'G');
    drives.erase('G');
    trelvix::RefreshDrivePickers(p);
    EXPECT_EQ(f.DriveComboBox2.Drive(), 'C');
    drives.clear();
    trelvix::RefreshDrivePickers(p);
    EXPECT_EQ(f.DriveComboBox1.Drive(), ' ');
    EXPECT_TRUE(f.DriveComboBox1.Drives().empty());
}

} // namespace
