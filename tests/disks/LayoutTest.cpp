#include "app/ProceduresOfOthers.h"
#include "app/ProceduresWhatRazdelisAvailable.h"
#include "fakes/TestProgram.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Bounds {
    int left, top, height, listHeight;
    bool operator==(const Bounds&) const = default;
};

Bounds Of(const tk::GroupBox& box, const tk::ListBox& list) {
    return {box.Left(), box.Top(), box.Height(), list.Height()};
}

TEST(DriveGroupLayout, EveryCombinationStacksTheGroupsOfThePresentKinds) {
    fakes::TestProgram t;
    auto& p = t.Start();
    auto& f = t.Main();
    // fixed, CD, network, RAM
    tk::GroupBox* boxes[] = {&f.GroupBox3, &f.GroupBox4, &f.GroupBox5, &f.GroupBox6};
    tk::ListBox* lists[] = {&f.ListBox1, &f.ListBox2, &f.ListBox3, &f.ListBox4};
    for (int row = 0; row < 16; ++row) {
        const bool present[] = {(row & 8) != 0, (row & 4) != 0, (row & 2) != 0, (row & 1) != 0};
        p.FixedPresent = present[0];
        p.CdPresent = present[1];
        p.NetPresent = present[2];
        p.RamPresent = present[3];
        trelvix::LayOutDriveGroups(p);

        EXPECT_FALSE(p.FixedPresent || p.CdPresent || p.NetPresent || p.RamPresent) << row;
        // From the top down without overlap: fixed, network, RAM, and CD last.
        int top = 12;
        for (int i : {0, 2, 3, 1}) {
            SCOPED_TRACE(testing::Message() << "row " << row << " group " << i);
            EXPECT_EQ(boxes[i]->Left(), present[i] ? 5 : 600);
            // The list keeps its designed place and width inside the group.
            EXPECT_EQ((std::vector{lists[i]->Left(), lists[i]->Top(), lists[i]->Width()}),
                      (std::vector{6, 13, 555}));
            if (!present[i])
                continue;
            EXPECT_TRUE(top == 12 ? boxes[i]->Top() == 12 : boxes[i]->Top() >= top);
            EXPECT_LT(lists[i]->Height(), boxes[i]->Height() - 13);
            top = boxes[i]->Top() + boxes[i]->Height();
        }
        EXPECT_LE(top, f.GroupBox1.Height() - 4) << row;
        // Shown with others, the CD group's list is two lines high.
        if (present[1] && row != 4) {
            EXPECT_LE(f.ListBox2.Height(), 32) << row;
        }
    }
}

TEST(DriveGroupLayout, NamedCases) {
    fakes::TestProgram t;
    auto& drives = t.fake.drives.drives;
    auto& p = t.Start();
    auto& f = t.Main();
    // No drive of the four kinds: the outer group is empty.
    for (const tk::GroupBox* box : {&f.GroupBox3, &f.GroupBox4, &f.GroupBox5, &f.GroupBox6})
        EXPECT_EQ(box->Left(), 600);

    // Only fixed disks: the fixed group fills the page.
    drives['C'] = {port::DriveType::Fixed, {true, "", "NTFS"}, {100, 50}};
    trelvix::RefreshAll(p);
    EXPECT_EQ(Of(f.GroupBox3, f.ListBox1), (Bounds{5, 12, 318, 300}));

    // A network drive connected between two surveys brings its group in and the fixed group
    // shrinks; never seen before, its free space counts as grown.
    drives['N'] = {port::DriveType::Remote, {true, "", "NTFS"}, {100, 50}};
    trelvix::RefreshAll(p);
    EXPECT_EQ(Of(f.GroupBox3, f.ListBox1), (Bounds{5, 12, 87, 70}));
    EXPECT_EQ(Of(f.GroupBox5, f.ListBox3), (Bounds{5, 100, 230, 213}));
    EXPECT_TRUE(f.ListBox3.Item(0).ends_with("; >>>")) << f.ListBox3.Item(0);
}

} // namespace
