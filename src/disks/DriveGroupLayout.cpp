#include "disks/DriveGroupLayout.h"

#include "app/Program.h"

namespace trelvix {

namespace {

// Where one group goes: top, group height, list height; hidden when `shown` is false.
struct Place {
    bool shown = false;
    int top = 0, height = 0, listHeight = 0;
};

constexpr Place Out{};
constexpr Place At(int top, int height, int listHeight) {
    return {true, top, height, listHeight};
}

// One row per combination of present kinds, indexed by F*8 + C*4 + N*2 + R; the columns
// are the groups fixed, CD, network, RAM. A CD group shown with others sits at the bottom.
constexpr Place Layout[16][4] = {
    {Out, Out, Out, Out},
    {Out, Out, Out, At(12, 313, 295)},
    {Out, Out, At(12, 313, 295), Out},
    {Out, Out, At(12, 160, 140), At(173, 158, 140)},
    {Out, At(12, 318, 300), Out, Out},
    {Out, At(280, 50, 32), Out, At(12, 268, 250)},
    {Out, At(280, 50, 32), At(12, 268, 250), Out},
    {Out, At(280, 50, 32), At(12, 178, 160), At(190, 90, 73)},
    {At(12, 318, 300), Out, Out, Out},
    {At(12, 188, 170), Out, Out, At(200, 130, 110)},
    {At(12, 87, 70), Out, At(100, 230, 213), Out},
    {At(12, 86, 69), Out, At(98, 142, 124), At(240, 90, 72)},
    {At(12, 270, 252), At(282, 48, 30), Out, Out},
    {At(12, 178, 160), At(282, 48, 30), Out, At(192, 88, 70)},
    {At(12, 88, 70), At(282, 48, 30), At(100, 182, 164), Out},
    {At(12, 100, 82), At(282, 48, 30), At(112, 110, 90), At(222, 59, 40)},
};

// Shown groups sit at left 5; hidden ones move to left 600, past the right edge of the
// outer group, which clips them away.
constexpr int ShownLeft = 5;
constexpr int HiddenLeft = 600;

} // namespace

void LayOutDriveGroups(Program& p) {
    TMainForm& f = *p.MainForm;
    int row = (p.FixedPresent ? 8 : 0) + (p.CdPresent ? 4 : 0) + (p.NetPresent ? 2 : 0) +
              (p.RamPresent ? 1 : 0);
    struct Group {
        tk::GroupBox& box;
        tk::ListBox& list;
    };
    const Group groups[] = {{f.GroupBox3, f.ListBox1},
                            {f.GroupBox4, f.ListBox2},
                            {f.GroupBox5, f.ListBox3},
                            {f.GroupBox6, f.ListBox4}};
    for (int i = 0; i < 4; ++i) {
        const Place& place = Layout[row][i];
        tk::GroupBox& box = groups[i].box;
        tk::ListBox& list = groups[i].list;
        if (!place.shown) {
            box.SetLeft(HiddenLeft);
            continue;
        }
        box.SetBounds(ShownLeft, place.top, box.Width(), place.height);
        list.SetBounds(list.Left(), list.Top(), list.Width(), place.listHeight);
    }
    p.FixedPresent = p.CdPresent = p.NetPresent = p.RamPresent = false;
}

} // namespace trelvix
