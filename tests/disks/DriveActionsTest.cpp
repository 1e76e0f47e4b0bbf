#include "disks/DriveActions.h"
#include "disks/DriveSurvey.h"
#include "fakes/TestProgram.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

using Lines = std::vector<std::string>;
using Boxes = std::vector<fakes::ShownBox>;
using port::DriveType;

constexpr std::int64_t MB = 1048576;
const std::string SelectDisk = "You should select disk!!!";
const std::string InsertDisk = "Insert disk!!!";
const std::string Prompt = "Press Refresh or F5 for Access to disks";

// Fixed C:, an empty CD-ROM drive at D:, a network drive at N:, a RAM disk at R:, a card
// reader without a card at B: and a USB stick at U:.
fakes::TestProgram& Machine(fakes::TestProgram& t) {
    auto& d = t.fake.drives.drives;
    d['B'] = {DriveType::Removable, {false, "", ""}, {-1, -1}};
    d['C'] = {DriveType::Fixed, {true, "SYSTEM", "NTFS"}, {100 * MB, 50 * MB}};
    d['D'] = {DriveType::CdRom, {false, "", ""}, {-1, -1}};
    d['N'] = {DriveType::Remote, {true, "SHARE", "NTFS"}, {100 * MB, 50 * MB}};
    d['R'] = {DriveType::RamDisk, {true, "RAM", "FAT"}, {8 * MB, 4 * MB}};
    d['U'] = {DriveType::Removable, {true, "USB", "FAT32"}, {8 * MB, 4 * MB}};
    t.Start();
    return t;
}

// As a user chooses a line: -1 leaves the list without a selection.
void Choose(tk::ListBox& list, int index) {
    if (index < 0)
        list.SetItemIndex(-1);
    else
        list.SelectItem(index);
}

// The Removeable page's Refresh: "B: Access Denied", then the U: line.
void RefreshRemovableList(fakes::TestProgram& t) {
    t.Main().PageControl1.SelectTab(1);
    t.Main().SpeedButton1.Click();
    ASSERT_EQ(t.Main().ListBox11.Count(), 2);
    ASSERT_EQ(t.Main().ListBox11.Item(0), "B: Access Denied");
}

std::string PickerText(const tk::DriveComboBox& picker, char letter) {
    for (const tk::DriveItem& item : picker.Drives())
        if (item.letter == letter)
            return item.text;
    return "(none)";
}

TEST(DriveActions, DoubleClickOpensTheDriveOfTheSelectedLine) {
    fakes::TestProgram t;
    auto& f = Machine(t).Main();
    ASSERT_EQ(f.ListBox1.Count(), 3) << "C:, separator, General";
    ASSERT_EQ(f.ListBox2.Items(), Lines{"D: Cd-rom"});
    // List, line chosen, the command line started (empty: none). The removable list's first
    // line is its prompt, then, after its survey, "B: Access Denied": such a line opens its
    // drive like any other.
    const std::tuple<tk::ListBox*, int, std::string> rows[] = {
        {&f.ListBox1, 0, "Explorer C:"}, {&f.ListBox1, 1, ""},
        {&f.ListBox1, -1, ""},           {&f.ListBox2, 0, "Explorer D:"},
        {&f.ListBox3, 0, "Explorer N:"}, {&f.ListBox4, 0, "Explorer R:"},
        {&f.ListBox11, 0, ""},           {&f.ListBox11, 0, "Explorer B:"},
        {&f.ListBox11, 1, "Explorer U:"}};
    for (int row = 0; const auto& [list, index, command] : rows) {
        SCOPED_TRACE(list->Name() + " line " + std::to_string(index));
        if (row++ == 7)
            RefreshRemovableList(t);
        t.fake.shell.commandLines.clear();
        Choose(*list, index);
        list->DblClick();
        if (command.empty()) {
            EXPECT_TRUE(t.fake.shell.commandLines.empty());
        } else {
            ASSERT_EQ(t.fake.shell.commandLines.size(), 1u);
            EXPECT_EQ(t.fake.shell.commandLines[0].line, command);
            EXPECT_EQ(t.fake.shell.commandLines[0].show, port::ShowMode::Shown);
        }
    }
}

TEST(DriveActions, TheCdTrayCommandsAndTheirRefusal) {
    fakes::TestProgram t;
    auto& f = Machine(t).Main();
    // The door commands need no selected line, go to the default CD audio device and are
    // followed by no survey.
    f.ListBox2.SetItemIndex(-1);
    t.fake.drives.calls.clear();
    const std::pair<tk::MenuItem*, std::string> items[] = {
        {&f.EjectInputCdrom1, "Set cdaudio door open wait"},
        {&f.CloseCdrom1, "Set cdaudio door closed wait"},
        {&f.EjectCdrom1, "Set cdaudio door open wait"},
        {&f.CloseCdrom2, "Set cdaudio door closed wait"},
    };
    for (const auto& [item, command] : items) {
        t.fake.media.commands.clear();
        item->Click();
        EXPECT_EQ(t.fake.media.commands, Lines{command}) << item->Name();
    }
    EXPECT_TRUE(t.fake.drives.calls.empty());
    EXPECT_TRUE(t.fake.desktop.boxes.empty());

    // Without a CD audio device a box says why the tray did not move.
    t.fake.media.commandResult = 263;
    f.EjectCdrom1.Click();
    f.CloseCdrom1.Click();
    ASSERT_EQ(t.fake.desktop.boxes.size(), 2u);
    const std::string reason = "The specified device is not open or is not recognized by MCI.";
    EXPECT_EQ(t.fake.desktop.boxes[0].text, "The CD tray was not opened: " + reason);
    EXPECT_EQ(t.fake.desktop.boxes[1].text, "The CD tray was not closed: " + reason);
    EXPECT_EQ(t.fake.desktop.boxes[1].flags, port::mb::Ok | port::mb::IconError);
}

TEST(DriveActions, DisconnectAsksOnlyWhenFilesAreOpenAndAlwaysSurveysAgain) {
    using Cancels = std::vector<std::pair<std::string, bool>>;
    const fakes::ShownBox question{
        "Map is using, do you want disconnect? If you press Yes, You can lost data!", "Warning!",
        308};
    auto refused = [](int code) {
        return fakes::ShownBox{"N: was not disconnected: System error " + std::to_string(code) +
                                   ".",
                               "trelvix", port::mb::Ok | port::mb::IconError};
    };
    // Line chosen, the calls' results, the answer, the cancels made, the boxes shown.
    const std::tuple<int, std::deque<int>, int, Cancels, Boxes> rows[] = {
        {-1, {}, 0, {}, {{SelectDisk, "trelvix", port::mb::Ok}}},
        {0, {0}, 0, {{"N:", false}}, {}},
        {0, {1222}, 0, {{"N:", false}}, {refused(1222)}},
        {0, {2401, 0}, port::mb::IdYes, {{"N:", false}, {"N:", true}}, {question}},
        {0,
         {2401, 1222},
         port::mb::IdYes,
         {{"N:", false}, {"N:", true}},
         {question, refused(1222)}},
        {0, {2401}, port::mb::IdNo, {{"N:", false}}, {question}},
    };
    for (const auto& [index, results, answer, cancels, boxes] : rows) {
        SCOPED_TRACE("line " + std::to_string(index) + ", " + std::to_string(boxes.size()) +
                     " boxes, answer " + std::to_string(answer));
        fakes::TestProgram t;
        auto& f = Machine(t).Main();
        Choose(f.ListBox3, index);
        t.fake.media.cancelResults = results;
        t.fake.desktop.answers = {answer};
        t.fake.drives.drives['C'].volume.label = "LATER";
        // Gone from the system, or not: the lists show it after the refresh.
        if (!results.empty() && results.back() == 0)
            t.fake.drives.drives.erase('N');
        f.Disc1.Click();
        EXPECT_EQ(t.fake.media.cancels, cancels);
        EXPECT_EQ(t.fake.desktop.boxes, boxes);
        EXPECT_TRUE(f.ListBox1.Item(0).starts_with("C: [LATER]")) << "surveyed again";
        EXPECT_EQ(f.ListBox3.Count(), static_cast<int>(t.fake.drives.drives.count('N')));
        EXPECT_EQ(t.P().NetSelection, index);
    }
}

TEST(DriveActions, ChangeVolumeLabelRefusesLinesWithoutAUsableDrive) {
    fakes::TestProgram t;
    auto& p = Machine(t).P();
    auto& f = t.Main();
    int shown = 0;
    p.App.ModalScript = [&](tk::Form&) { ++shown; };
    // Menu item, list, line chosen, the box; the removable rows after its survey.
    const std::tuple<tk::MenuItem*, tk::ListBox*, int, std::string> rows[] = {
        {&f.ChangeVolumeLabel1, &f.ListBox1, -1, SelectDisk},
        {&f.ChangeVolumeLabel1, &f.ListBox1, 1, SelectDisk}, // separator
        {&f.ChangeVolumeLabel1, &f.ListBox1, 2, SelectDisk}, // General
        {&f.ChangeVolumeLabel2, &f.ListBox11, -1, SelectDisk},
        {&f.ChangeVolumeLabel2, &f.ListBox11, 0, InsertDisk}, // the prompt line
        {&f.ChangeVolumeLabel2, &f.ListBox11, 0, InsertDisk}, // "B: Access Denied"
    };
    int row = 0;
    for (const auto& [item, list, index, text] : rows) {
        SCOPED_TRACE(row);
        if (row++ == 5)
            RefreshRemovableList(t);
        t.fake.desktop.boxes.clear();
        Choose(*list, index);
        item->Click();
        EXPECT_EQ(t.fake.desktop.boxes, (Boxes{{text, "trelvix", port::mb::Ok}}));
        const int remembered =
            list == &f.ListBox1 ? p.FixedSelection : p.DiskMonitor.RemovableSelection;
        EXPECT_EQ(remembered, index);
    }
    EXPECT_EQ(shown, 0);
    EXPECT_TRUE(t.fake.drives.labels.empty());
}

// Only the two lines that name no medium are refused; a volume may be labelled "Access".
TEST(DriveActions, RemovableVolumesLabelledAccessCanBeRelabelled) {
    fakes::TestProgram t;
    auto& d = t.fake.drives.drives;
    d['B'] = {DriveType::Removable, {false, "", ""}, {-1, -1}};
    d['C'] = {DriveType::Fixed, {true, "SYSTEM", "NTFS"}, {100 * MB, 50 * MB}};
    d['U'] = {DriveType::Removable, {true, "Access", "FAT32"}, {8 * MB, 4 * MB}};
    d['V'] = {DriveType::Removable, {true, "Access Denied", "FAT32"}, {8 * MB, 4 * MB}};
    auto& p = t.Start();
    auto& f = t.Main();
    std::string opened;
    p.App.ModalScript = [&](tk::Form&) { opened = p.DiskMonitor.RemovableLabelDrive; };
    const auto relabel = [&](int line) {
        opened.clear();
        t.fake.desktop.boxes.clear();
        Choose(f.ListBox11, line);
        f.ChangeVolumeLabel2.Click();
        return opened.empty() ? t.fake.desktop.Texts() : Lines{"dialog for " + opened};
    };
    EXPECT_EQ(relabel(0), Lines{InsertDisk}) << "the prompt line";
    f.PageControl1.SelectTab(1);
    f.SpeedButton1.Click();
    ASSERT_EQ(f.ListBox11.Items().size(), 3u);
    const std::pair<int, Lines> rows[] = {
        {0, {InsertDisk}}, // "B: Access Denied"
        {1, {"dialog for U:"}},
        {2, {"dialog for V:"}},
    };
    for (const auto& [line, seen] : rows)
        EXPECT_EQ(relabel(line), seen) << f.ListBox11.Item(line);
}

// The dialog names the drive of the list that opened it, also when the other list's drive
// was chosen more recently; Save passes the text unchanged, then the lists are read again,
// the removable one only when it opened the dialog.
TEST(DriveActions, DialogSavesTheTextUnchangedForTheDriveOfItsList) {
    fakes::TestProgram t;
    t.fake.drives.drives['E'] = {DriveType::Fixed, {false, "", ""}, {-1, -1}};
    auto& p = Machine(t).P();
    auto& f = t.Main();
    auto& d = *p.SetVolumeName;
    ASSERT_EQ(f.ListBox1.Item(1), "E: Access Denied");
    RefreshRemovableList(t);
    Choose(f.ListBox1, 0);

    // Menu item, line chosen, the text saved, the drive named.
    const std::tuple<tk::MenuItem*, int, std::string, std::string> rows[] = {
        {&f.ChangeVolumeLabel2, 1, "STICK", "U:"},
        {&f.ChangeVolumeLabel1, -2, "DATA", "C:"}, // the line chosen before U:'s
        {&f.ChangeVolumeLabel1, 0, "", "C:"},
        {&f.ChangeVolumeLabel1, 0, " ü 日本 ", "C:"},
        {&f.ChangeVolumeLabel1, 1, "X", "E:"}, // an access-denied line opens it too
    };
    for (const auto& [item, index, text, drive] : rows) {
        SCOPED_TRACE(text);
        const bool removable = item == &f.ChangeVolumeLabel2;
        tk::ListBox& list = removable ? f.ListBox11 : f.ListBox1;
        if (index != -2)
            Choose(list, index);
        d.Edit1.SetText("left from before");
        std::string caption, shownText;
        p.App.ModalScript = [&](tk::Form& dialog) {
            ASSERT_EQ(&dialog, &d);
            caption = d.Caption();
            shownText = d.Edit1.Text();
            EXPECT_EQ(d.ActiveControl(), &d.Edit1);
            d.Edit1.SetText(text);
            d.BitBtn1.Click();
        };
        t.fake.drives.labels.clear();
        t.fake.drives.drives['U'].space.free -= MB;
        const std::string removableLine = f.ListBox11.Item(1);
        item->Click();
        EXPECT_EQ(caption, "SetVolumeName for " + drive);
        EXPECT_EQ(shownText, "");
        ASSERT_EQ(t.fake.drives.labels.size(), 1u);
        EXPECT_EQ(t.fake.drives.labels[0], std::make_pair(drive[0], text));
        // Read again after the label was written; the selection stays.
        const std::string& label = t.fake.drives.drives['C'].volume.label;
        EXPECT_TRUE(f.ListBox1.Item(0).starts_with("C: [" + label + "] (NTFS)"));
        const std::string picker = t.fake.system.LowerCase("c: [" + label + "]");
        EXPECT_EQ(PickerText(f.DriveComboBox1, 'C'), picker);
        EXPECT_EQ(PickerText(f.DriveComboBox2, 'C'), picker);
        EXPECT_TRUE(f.ListBox11.Item(1).starts_with("U: [STICK]"));
        EXPECT_EQ(f.ListBox11.Item(1) != removableLine, removable) << "surveyed again";
        EXPECT_EQ(list.ItemIndex(), index == -2 ? 0 : index);
    }
}

// Enter does nothing special; Cancel and Escape close without change; a Save that the
// system refuses closes too and says why, the lists showing the label the drive kept.
TEST(DriveActions, DialogEndingsOtherThanASave) {
    enum Ending { Cancel, Escape, RefusedSave };
    for (Ending ending : {Cancel, Escape, RefusedSave}) {
        SCOPED_TRACE(ending);
        fakes::TestProgram t;
        auto& p = Machine(t).P();
        auto& f = t.Main();
        auto& d = *p.SetVolumeName;
        t.fake.drives.refuseLabels = true;
        bool openAfterEnter = false;
        p.App.ModalScript = [&](tk::Form&) {
            d.Edit1.SetText("NEW");
            EXPECT_EQ(d.KeyPress(13), 13);
            openAfterEnter = d.Modal() && d.Visible();
            if (ending == Escape)
                d.KeyPress(27);
            else
                (ending == Cancel ? d.BitBtn2 : d.BitBtn1).Click();
        };
        Choose(f.ListBox1, 0);
        t.fake.drives.drives['C'].volume.label = "LATER";
        f.ChangeVolumeLabel1.Click();
        EXPECT_TRUE(openAfterEnter);
        EXPECT_FALSE(d.Modal() || d.Visible());
        EXPECT_EQ(t.fake.drives.labels.size(), ending == RefusedSave ? 1u : 0u);
        // Only a save surveys the drives again.
        EXPECT_EQ(f.ListBox1.Item(0).starts_with("C: [LATER]"), ending == RefusedSave);
        if (ending != RefusedSave) {
            EXPECT_TRUE(t.fake.desktop.boxes.empty());
            continue;
        }
        ASSERT_EQ(t.fake.desktop.boxes.size(), 1u);
        EXPECT_EQ(t.fake.desktop.boxes[0].text,
                  "The volume label of C: was not changed: Access is denied.");
        EXPECT_EQ(t.fake.desktop.boxes[0].flags, port::mb::Ok | port::mb::IconError);
    }
}

} // namespace
