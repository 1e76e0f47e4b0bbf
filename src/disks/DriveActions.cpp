#include "disks/DriveActions.h"

#include "app/Program.h"
#include "app/RefreshCycle.h"
#include "app/ResourceGlyphs.h"
#include "disks/DriveLines.h"
#include "launch/LaunchConventions.h"
#include "toolkit/Errors.h"
#include "toolkit/Task.h"

#include <array>
#include <string_view>

namespace trelvix {

namespace {

constexpr const char* OpenDoorCommand = "Set cdaudio door open wait";
constexpr const char* CloseDoorCommand = "Set cdaudio door closed wait";
constexpr const char* SelectDiskText = "You should select disk!!!";
constexpr const char* InsertDiskText = "Insert disk!!!";
constexpr const char* ForceDisconnectQuestion =
    "Map is using, do you want disconnect? If you press Yes, You can lost data!";
constexpr const char* WarningCaption = "Warning!";

// The drive a line names: its first two characters.
std::string DrivePrefix(const std::string& line) {
    return line.substr(0, 2);
}

// The selected line of a list; nullptr when nothing is selected.
const std::string* SelectedLine(const tk::ListBox& list) {
    const int index = list.ItemIndex();
    return index >= 0 && index < list.Count() ? &list.Item(index) : nullptr;
}

// The separator, the General line and the removable list's prompt line name no drive.
bool NamesNoDrive(const std::string& prefix) {
    constexpr std::array<std::string_view, 3> notDrives = {"--", "Ge", "Pr"};
    for (std::string_view notDrive : notDrives)
        if (prefix == notDrive)
            return true;
    return false;
}

bool AskToForceDisconnect(Program& p) {
    constexpr unsigned flags = port::mb::YesNo | port::mb::IconExclamation | port::mb::DefButton2;
    return p.App.MessageBox(ForceDisconnectQuestion, WarningCaption, flags) == port::mb::IdYes;
}

// The tray moves off the window's thread (the command waits until it has); the box, if
// any, follows on it.
tk::Task MoveCdDoorAside(Program& p, bool open, std::string what) {
    BusyGlyph busy(p);
    port::Media& media = p.Ports.media;
    auto moving = tk::InBackground(p.App, [&media, open] { return MoveCdDoor(media, open); });
    const std::optional<std::string> refused = co_await moving;
    if (refused)
        ShowRefusal(p, what, *refused);
}

// What the system said to one cancel of a network connection.
struct CancelOutcome {
    int code = 0;
    std::string reason;
};

// Cancels the connection off the window's thread.
tk::BackgroundStep<CancelOutcome> CancelAside(Program& p, const std::string& drive, bool force) {
    port::Media& media = p.Ports.media;
    return tk::InBackground(p.App, [&media, drive, force] {
        CancelOutcome outcome;
        outcome.code = media.CancelConnection(drive, force, outcome.reason);
        return outcome;
    });
}

// Files open on the drive: forced only when the user says so (asked on the window's thread,
// between the two cancels). The lists show whether the drive went, also when it did not;
// the box why it stayed follows them.
tk::Task Disconnect(Program& p, std::string drive) {
    BusyGlyph busy(p);
    auto cancel = CancelAside(p, drive, false);
    CancelOutcome outcome = co_await cancel;
    if (outcome.code == port::ErrorOpenFiles) {
        if (AskToForceDisconnect(p)) {
            auto force = CancelAside(p, drive, true);
            outcome = co_await force;
        } else {
            outcome = {};
        }
    }
    auto refreshed = RefreshAll(p);
    co_await refreshed;
    if (outcome.code != 0)
        ShowRefusal(p, drive + " was not disconnected", outcome.reason);
}

} // namespace

void OpenDriveInExplorer(Program& p, const tk::ListBox& list) {
    const std::string* line = SelectedLine(list);
    if (line == nullptr)
        return;
    const std::string prefix = DrivePrefix(*line);
    if (NamesNoDrive(prefix))
        return;
    RunCommandLine(p, "Explorer " + prefix);
}

std::optional<std::string> MoveCdDoor(port::Media& media, bool open) {
    std::string reason;
    if (media.SendCommand(open ? OpenDoorCommand : CloseDoorCommand, reason) == 0)
        return std::nullopt;
    return reason;
}

void EjectCdrom(Program& p) {
    MoveCdDoorAside(p, true, "The CD tray was not opened");
}

void CloseCdrom(Program& p) {
    MoveCdDoorAside(p, false, "The CD tray was not closed");
}

void DisconnectNetworkDrive(Program& p) {
    TMainForm& f = *p.MainForm;
    p.NetSelection = f.ListBox3.ItemIndex();
    const std::string* line = SelectedLine(f.ListBox3);
    if (line == nullptr) {
        p.App.ShowNotice(SelectDiskText);
        RefreshAll(p);
        return;
    }
    Disconnect(p, DrivePrefix(*line));
}

void ChangeFixedVolumeLabel(Program& p) {
    TMainForm& f = *p.MainForm;
    p.DiskMonitor.LabelSource = 1;
    p.FixedSelection = f.ListBox1.ItemIndex();
    const std::string* line = SelectedLine(f.ListBox1);
    if (line == nullptr || NamesNoDrive(DrivePrefix(*line))) {
        p.App.ShowNotice(SelectDiskText);
        return;
    }
    p.DiskMonitor.FixedLabelDrive = DrivePrefix(*line);
    p.App.ShowModal(*p.SetVolumeName);
}

void ChangeRemovableVolumeLabel(Program& p) {
    TMainForm& f = *p.MainForm;
    p.DiskMonitor.LabelSource = 11;
    p.DiskMonitor.RemovableSelection = f.ListBox11.ItemIndex();
    const std::string* line = SelectedLine(f.ListBox11);
    if (line == nullptr) {
        p.App.ShowNotice(SelectDiskText);
        return;
    }
    // Drives without a medium, and the prompt line before the first removable survey; a
    // volume may well be labelled "Access".
    if (*line == AccessDeniedLine(line->front()) || *line == RemovablePromptLine()) {
        p.App.ShowNotice(InsertDiskText);
        return;
    }
    p.DiskMonitor.RemovableLabelDrive = DrivePrefix(*line);
    p.App.ShowModal(*p.SetVolumeName);
}

std::optional<std::string> WriteVolumeLabel(port::Drives& drives, const std::string& drive,
                                            const std::string& label) {
    if (drive.empty())
        return "no drive was chosen";
    std::string reason;
    if (drives.SetLabel(drive.front(), label, reason))
        return std::nullopt;
    return reason;
}

void ShowRefusal(Program& p, const std::string& what, const std::string& reason) {
    p.App.ShowException(tk::Exception(what + ": " + reason));
}

} // namespace trelvix
