#include "launch/ProceduresOfUseFulToolsInput.h"

#include "app/Program.h"

namespace trelvix {

namespace {
constexpr LaunchEntry Entries[] = {
    {"Copy Disk To Disk", Command("rundll32 diskcopy,DiskCopyRunDll")},
    {"Add Network Place Wizard", Command("rundll32 netplwiz.dll,AddNetPlaceRunDll")},
    // The text after the entry point is the title of the About box it shows.
    {"Windows Information", Command("rundll32 shell32,ShellAboutA Trelvix")},
    {"Format Floppy Disk", Command("rundll32 shell32,SHFormatDrive")},
    {"Calculator", SystemFile("\\calc.exe")},
    {"Clean Manager", SystemFile("\\cleanmgr.exe")},
    {"ClipBoard Viewer", SystemFile("\\clipbrd.exe")},
    {"Command", SystemFile("\\cmd.exe")},
    {"Device Manager", SystemFile("\\devmgmt.msc")},
    {"Defragmenter", SystemFile("\\dfrg.msc")},
    {"Disk Management", SystemFile("\\diskmgmt.msc")},
    {"DirectX Diagnostic Tool", SystemFile("\\dxdiag.exe")},
    {"Shared Folders", SystemFile("\\fsmgmt.msc")},
    // Both started at once: the second does not wait for the first to end.
    {"IIS Stop", SystemFile("\\iisreset.exe", "/stop"), SystemFile("\\KILL.EXE", "dllhost.exe")},
    {"IIS Start", SystemFile("\\iisreset.exe", "/start")},
    {"Local Users and Groups", SystemFile("\\lusrmgr.msc", "/start")},
    {"RegEdit", Command("regedit")},
    {"Services", SystemFile("\\services.msc")},
    {"Create Shared Folder", SystemFile("\\shrpubw.exe")},
    {"TaskManager", SystemFile("\\TaskMgr.exe")},
    {"System Information", SystemFile("\\Winmsd.exe")},
};
} // namespace

Catalogue UsefulToolsCatalogue() {
    return Entries;
}

void LaunchUsefulToolsEntry(Program& p) {
    LaunchSelectedEntry(p, UsefulToolsCatalogue(), p.MainForm->ListBox7);
}

} // namespace trelvix
