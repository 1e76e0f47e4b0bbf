#include "fakes/TestProgram.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Kind = port::TrayEvent::Kind;
using port::DriveType;

fakes::FakeDrive Drive(DriveType type, const std::string& label) {
    return {type, {true, label, "FAT32"}, {8LL << 30, 4LL << 30}};
}

bool Shows(const tk::ListBox& list, const std::string& start) {
    for (int i = 0; i < list.Count(); ++i)
        if (list.Item(i).rfind(start, 0) == 0)
            return true;
    return false;
}

struct DriveNotices : ::testing::Test {
    void SetUp() override {
        t.fake.drives.drives['C'] = Drive(DriveType::Fixed, "SYSTEM");
        t.Start();
    }
    void Volumes(char letter) {
        port::TrayEvent event{Kind::VolumesChanged};
        event.drives = 1u << (letter - 'A');
        t.fake.tray.Send(event);
    }
    // The removable survey asks each removable drive for its volume once.
    int RemovableSurveys(char letter) const { return t.fake.drives.Count("Volume", letter); }
    trelvix::TMainForm& F() { return t.Main(); }

    fakes::TestProgram t;
};

TEST_F(DriveNotices, ABurstOfNoticesRefreshesOnceHalfASecondAfterItsFirst) {
    t.fake.drives.drives['E'] = Drive(DriveType::Removable, "STICK");
    Volumes('E');
    Volumes('E');
    t.fake.tray.Send(Kind::DrivesChanged);
    EXPECT_EQ(F().DriveNoticeTimer.Interval(), 500);
    EXPECT_EQ(RemovableSurveys('E'), 0) << "nothing happens before the burst is over";

    F().DriveNoticeTimer.Tick();
    EXPECT_EQ(RemovableSurveys('E'), 1);
    EXPECT_TRUE(Shows(F().ListBox11, "E: [STICK]"));
    EXPECT_FALSE(F().DriveNoticeTimer.Running());

    t.fake.drives.drives.erase('E');
    Volumes('E');
    F().DriveNoticeTimer.Tick();
    EXPECT_FALSE(Shows(F().ListBox11, "E:")) << "a pulled stick leaves the list";
}

TEST_F(DriveNotices, TheFixedListsFollowWhenTheDriveBelongsToThem) {
    struct Case {
        const char* what;
        char letter;
        DriveType type;
        bool byShell; // the shell's drive notice instead of a volume notice
        tk::ListBox trelvix::TMainForm::*list;
    };
    const Case cases[] = {
        {"a USB hard disk", 'F', DriveType::Fixed, false, &trelvix::TMainForm::ListBox1},
        {"a CD put in", 'G', DriveType::CdRom, false, &trelvix::TMainForm::ListBox2},
        {"a network drive mapped by another program", 'N', DriveType::Remote, true,
         &trelvix::TMainForm::ListBox3},
    };
    for (const Case& c : cases) {
        t.fake.drives.drives[c.letter] = Drive(c.type, "NEW");
        c.byShell ? t.fake.tray.Send(Kind::DrivesChanged) : Volumes(c.letter);
        F().DriveNoticeTimer.Tick();
        const std::string line = std::string(1, c.letter) + ":";
        EXPECT_TRUE(Shows(F().*c.list, line)) << c.what;

        t.fake.drives.drives.erase(c.letter);
        c.byShell ? t.fake.tray.Send(Kind::DrivesChanged) : Volumes(c.letter);
        F().DriveNoticeTimer.Tick();
        EXPECT_FALSE(Shows(F().*c.list, line)) << c.what << " gone";
    }
}

TEST_F(DriveNotices, ASecondStartBringsTheWindowBackAsAClickOnTheIcon) {
    F().KeyPress(27); // Escape: into the tray
    ASSERT_FALSE(F().Visible());
    t.fake.tray.Send(Kind::ShowRequested);
    EXPECT_TRUE(F().Visible());
    EXPECT_FALSE(t.P().App.Minimized());
    EXPECT_EQ(t.Stored("WindowStates"), 0);
}

} // namespace
