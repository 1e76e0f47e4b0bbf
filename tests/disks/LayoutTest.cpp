#include "app/ProceduresOfOthers.h"
#include "app/ProceduresWhatRazdelisAvailable.h"
#include "fakes/TestProgram.h"

#include <gtest/gtest.h>

#include <algorithm>
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
    tk::GroupBox* boxes[] = {&f.GroupBox3, &f.GroupBox4, &f.GroupBox5, &f.GroupBox6};
    tk::ListBox* lists[] = {&f.ListBox1, &f.ListBox2, &f.ListBox3, &f.ListBox4};
    const int outerHeight = f.GroupBox1.Height();
    for (int row = 0; row < 16; ++row) {
        // fixed, CD, network, RAM
        const bool present[] = {(row & 8) != 0, (row & 4) != 0, (row & 2) != 0, (row & 1) != 0};
        p.FixedPresent = present[0];
        p.CdPresent = present[1];
        p.NetPresent = present[2];
        p.RamPresent = present[3];
        trelvix::LayOutDriveGroups(p);

        EXPECT_FALSE(p.FixedPresent || p.CdPresent || p.NetPresent || p.RamPresent) << row;
        std::vector<int> shown;
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(boxes[i]->Left(), present[i] ? 5 : 600) << row << " group " << i;
            // The list keeps its designed place and width inside the group.
            EXPECT_EQ(lists[i]->Left(), 6) << row;
            EXPECT_EQ(lists[i]->Top(), 13) << row;
            EXPECT_EQ(lists[i]->Width(), 555) << row;
            if (present[i]) {
                shown.push_back(i);
                EXPECT_LT(lists[i]->Height(), boxes[i]->Height() - 13) << row << " group " << i;
            }
        }
        if (shown.empty())
            continue;
        // Top to bottom: fixed, network, RAM, and CD last.
        std::vector<int> order = shown;
        std::stable_sort(order.begin(), order.end(),
                         [&](int a, int b) { return boxes[a]->Top() < boxes[b]->Top(); });
        std::vector<int> wanted;
        for (int i : {0, 2, 3, 1})
            if (present[i])
                wanted.push_back(i);
        EXPECT_EQ(order, wanted) << row;
        EXPECT_EQ(boxes[order.front()]->Top(), 12) << row;
        for (std::size_t k = 1; k < order.size(); ++k) {
            const tk::GroupBox& above = *boxes[order[k - 1]];
            EXPECT_LE(above.Top() + above.Height(), boxes[order[k]]->Top()) << row;
        }
        const tk::GroupBox& last = *boxes[order.back()];
        EXPECT_LE(last.Top() + last.Height(), outerHeight - 4) << row;
        if (present[1] && shown.size() > 1) {
            // The CD group at the bottom, two lines high.
            EXPECT_GE(f.GroupBox4.Top(), 280) << row;
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

    // With an empty CD drive the fixed group shrinks above the CD group.
    drives['D'] = {port::DriveType::CdRom, {false, "", ""}, {-1, -1}};
    trelvix::RefreshAll(p);
    EXPECT_EQ(Of(f.GroupBox3, f.ListBox1), (Bounds{5, 12, 270, 252}));
    EXPECT_EQ(Of(f.GroupBox4, f.ListBox2), (Bounds{5, 282, 48, 30}));
    EXPECT_EQ(f.GroupBox5.Left(), 600);

    // A network drive connected between two surveys brings its group in.
    drives['N'] = {port::DriveType::Remote, {true, "", "NTFS"}, {100, 50}};
    trelvix::RefreshAll(p);
    EXPECT_EQ(Of(f.GroupBox3, f.ListBox1), (Bounds{5, 12, 88, 70}));
    EXPECT_EQ(Of(f.GroupBox4, f.ListBox2), (Bounds{5, 282, 48, 30}));
    EXPECT_EQ(Of(f.GroupBox5, f.ListBox3), (Bounds{5, 100, 182, 164}));

    // Disconnected again: hidden, keeping its last top and height.
    drives.erase('N');
    trelvix::RefreshAll(p);
    EXPECT_EQ(Of(f.GroupBox5, f.ListBox3), (Bounds{600, 100, 182, 164}));
    EXPECT_FALSE(p.FixedPresent || p.CdPresent || p.NetPresent || p.RamPresent);
}

} // namespace
