#include "app/Main.h"
#include "app/Program.h"
#include "autostart/RunEntries.h"

namespace trelvix {

void DesignAutoStartPage(TMainForm& f) {
    f.Label18.SetCaption("You Can Control your Local autostart information here!");
    f.Label18.SetBounds(8, 4, 595, 14);
    f.Label19.SetCaption(
        "Path is \"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run");
    f.Label19.SetBounds(8, 20, 595, 14);
    f.Label20.SetCaption("You Can Control your Current autostart information here!");
    f.Label20.SetBounds(8, 176, 595, 14);
    f.Label21.SetCaption(
        "Path is \"HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run");
    f.Label21.SetBounds(8, 192, 595, 14);

    tk::Font maroon = f.GetFont();
    maroon.color = tk::clMaroon;
    f.ListBox9.SetBounds(5, 38, 600, 132);
    f.ListBox10.SetBounds(5, 210, 600, 132);
    for (tk::ListBox* list : {&f.ListBox9, &f.ListBox10})
        list->SetFont(maroon);
    f.ListBox9.SetPopupMenu(&f.PopupMenu6);
    f.ListBox10.SetPopupMenu(&f.PopupMenu7);

    AutoStartState& s = f.Prog.AutoStart;
    f.ListBox9.OnClick = [&f, &s] {
        s.LocalRunIndex = f.ListBox9.ItemIndex();
        GreyLineItems(f.Prog, f.ListBox9);
    };
    f.ListBox10.OnClick = [&f, &s] {
        s.CurrentRunIndex = f.ListBox10.ItemIndex();
        GreyLineItems(f.Prog, f.ListBox10);
    };
    f.DeleteThisKeyFrom1.OnClick = [&f, &s] { DeleteRunEntry(f.Prog, f.ListBox9, s.LocalEntries); };
    f.DeleteThisKeyFromHKEYLOCALMACHINE1.OnClick = [&f, &s] {
        DeleteRunEntry(f.Prog, f.ListBox10, s.CurrentEntries);
    };
    f.Disable1.OnClick = [&f, &s] { DisableRunEntry(f.Prog, f.ListBox9, s.LocalEntries, true); };
    f.Enable1.OnClick = [&f, &s] { DisableRunEntry(f.Prog, f.ListBox9, s.LocalEntries, false); };
    f.Disable2.OnClick = [&f, &s] { DisableRunEntry(f.Prog, f.ListBox10, s.CurrentEntries, true); };
    f.Enable2.OnClick = [&f, &s] { DisableRunEntry(f.Prog, f.ListBox10, s.CurrentEntries, false); };
}

} // namespace trelvix
