#include "app/Main.h"
#include "app/Program.h"
#include "disks/DriveActions.h"
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

// Double clicks open a drive in Explorer; the context menus act on the line last selected
// (a right click leaves the selection as it is).
void BindDriveActions(TMainForm& f) {
    Program& p = f.Prog;
    for (tk::ListBox* list : {&f.ListBox1, &f.ListBox2, &f.ListBox3, &f.ListBox4, &f.ListBox11})
        list->OnDblClick = [&p, list] { OpenDriveInExplorer(p, *list); };

    f.ListBox1.SetPopupMenu(&f.PopupMenu4);
    f.ListBox2.SetPopupMenu(&f.PopupMenu3);
    f.ListBox3.SetPopupMenu(&f.PopupMenu2);
    f.ListBox11.SetPopupMenu(&f.PopupMenu5);
    f.ChangeVolumeLabel1.OnClick = [&p] { ChangeFixedVolumeLabel(p); };
    f.EjectInputCdrom1.OnClick = [&p] { EjectCdrom(p); };
    f.CloseCdrom1.OnClick = [&p] { CloseCdrom(p); };
    f.Disc1.OnClick = [&p] { DisconnectNetworkDrive(p); };
    f.ChangeVolumeLabel2.OnClick = [&p] { ChangeRemovableVolumeLabel(p); };
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

    f.DriveQueryTimer.SetInterval(0);
    f.DriveQueryTimer.OnTimer = [&f] { DriveQueriesTimedOut(f.Prog); };
    // Started from the stored threshold once the settings are loaded.
    f.LowSpaceTimer.SetInterval(0);
    f.LowSpaceTimer.OnTimer = [&f] { CheckLowSpaceNow(f.Prog); };

    BindDiskListClicks(f);
    BindDriveActions(f);
}

} // namespace trelvix
