#include "app/Main.h"
#include "app/Program.h"
#include "disks/DriveSurvey.h"

namespace trelvix {

namespace {
// ListBox1Click .. ListBox4Click, ListBox11Click: each list remembers the line the user
// chose, and every refill puts the selection back at that position.
void BindDiskListClicks(TMainForm& f) {
    f.ListBox1.OnClick = [&f] { f.Prog.FixedSelection = f.ListBox1.ItemIndex(); };
    f.ListBox2.OnClick = [&f] { f.Prog.CdSelection = f.ListBox2.ItemIndex(); };
    f.ListBox3.OnClick = [&f] { f.Prog.NetSelection = f.ListBox3.ItemIndex(); };
    f.ListBox4.OnClick = [&f] { f.Prog.RamSelection = f.ListBox4.ItemIndex(); };
    f.ListBox11.OnClick = [&f] { f.Prog.DiskMonitor.RemovableSelection = f.ListBox11.ItemIndex(); };
}
} // namespace

void DesignDisksPage(TMainForm& f) {
    f.PageControl1.SetBounds(0, 0, 612, 349);
    f.PageControl1.TabsAt = tk::TabPosition::Left;
    f.TabSheet9.SetCaption("Fixed, Cd, Net, Ram");
    f.TabSheet10.SetCaption("Removeable");

    f.GroupBox1.SetCaption(" Disks ");
    f.GroupBox1.SetBounds(2, 6, 577, 335);
    struct Group {
        tk::GroupBox& box;
        tk::ListBox& list;
        const char* caption;
    };
    const Group groups[] = {{f.GroupBox3, f.ListBox1, " Fixed disk "},
                            {f.GroupBox4, f.ListBox2, " CDRom "},
                            {f.GroupBox5, f.ListBox3, " Net "},
                            {f.GroupBox6, f.ListBox4, " Ram  "}};
    for (const Group& g : groups) {
        g.box.SetCaption(g.caption);
        g.box.SetBounds(600, 12, 567, 80);
        g.list.SetBounds(6, 13, 555, 60);
    }
    f.DriveComboBox1.SetBounds(380, 0, 195, 22);

    f.GroupBox2.SetCaption(" Removeable ");
    f.GroupBox2.SetBounds(2, 6, 577, 335);
    f.ListBox11.SetBounds(6, 16, 565, 310);
    f.DriveComboBox2.SetBounds(380, 0, 195, 22);

    BindDiskListClicks(f);
}

} // namespace trelvix
