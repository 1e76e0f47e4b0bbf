#include "app/RefreshCycle.h"
#include "disks/DriveGroupLayout.h"
#include "fakes/TestProgram.h"

#include <gtest/gtest.h>

#include <array>

namespace {

std::array<int, 4> Bounds(const tk::GroupBox& box, const tk::ListBox& list) {
    return {box.Left(), box.Top(), box.Height(), list.Height()};
}

TEST(DriveGroupLayout, EveryCombinationStacksTheGroupsOfThePresentKinds) {
    fakes::TestProgram t;
    auto& p = t.Start();
    auto& f = t.Main();
    // From the top down: fixed, network, RAM, and CD last.
    tk::GroupBox* boxes[] = {&f.GroupBox3, &f.GroupBox5, &f.GroupBox6, &f.GroupBox4};
    tk::ListBox* lists[] = {&f.ListBox1, &f.ListBox3, &f.ListBox4, &f.ListBox2};
    bool* flags[] = {&p.FixedPresent, &p.NetPresent, &p.RamPresent, &p.CdPresent};
    for (int row = 0; row < 16; ++row) {
        for (int i = 0; i < 4; ++i)
            *flags[i] = (row >> i & 1) != 0;
        trelvix::LayOutDriveGroups(p);
        int top = 12;
        for (int i = 0; i < 4; ++i) {
            SCOPED_TRACE(testing::Message() << "row " << row << " group " << i);
            const bool present = (row >> i & 1) != 0;
            EXPECT_FALSE(*flags[i]);
            EXPECT_EQ(boxes[i]->Left(), present ? 5 : 600);
            if (!present)
                continue;
            // No overlap; the first group shown sits at the top.
            EXPECT_TRUE(top == 12 ? boxes[i]->Top() == 12 : boxes[i]->Top() >= top);
            EXPECT_LT(lists[i]->Height(), boxes[i]->Height() - 13);
            top = boxes[i]->Top() + boxes[i]->Height();
        }
        EXPECT_LE(top, f.GroupBox1.Height() - 4) << row;
        // Shown with others, the CD group's list is two lines high.
        EXPECT_TRUE(row <= 8 || f.ListBox2.Height() <= 32) << row;
    }
}

TEST(DriveGroupLayout, NamedCases) {
    fakes::TestProgram t;
    auto& drives = t.fake.drives.drives;
    // No drive of the four kinds: the outer group is empty. A fixed A: is surveyed only after
    // a sized C:.
    drives['A'] = {port::DriveType::Fixed, {true, "", "FAT"}, {100, 50}};
    auto& p = t.Start();
    auto& f = t.Main();
    for (const tk::GroupBox* box : {&f.GroupBox3, &f.GroupBox4, &f.GroupBox5, &f.GroupBox6})
        EXPECT_EQ(box->Left(), 600);
    EXPECT_EQ(f.ListBox1.Items(),
              (std::vector<std::string>{std::string(139, '-'),
                                        "General: Total: 0 Mbytes; Free: 0 Mbytes; ==="}));
    EXPECT_EQ(p.TraySummary, "\"Trelvix\"");

    // Only fixed disks: the fixed group fills the page.
    drives['C'] = {port::DriveType::Fixed, {true, "", "NTFS"}, {100, 50}};
    trelvix::RefreshAll(p);
    EXPECT_EQ(Bounds(f.GroupBox3, f.ListBox1), (std::array{5, 12, 318, 300}));

    // A network drive connected between two surveys brings its group in and the fixed group
    // shrinks; never seen before, its free space counts as grown.
    drives['N'] = {port::DriveType::Remote, {true, "", "NTFS"}, {100, 50}};
    trelvix::RefreshAll(p);
    EXPECT_EQ(Bounds(f.GroupBox3, f.ListBox1), (std::array{5, 12, 87, 70}));
    EXPECT_EQ(Bounds(f.GroupBox5, f.ListBox3), (std::array{5, 100, 230, 213}));
    EXPECT_TRUE(f.ListBox3.Item(0).ends_with("; >>>")) << f.ListBox3.Item(0);
}

} // namespace
