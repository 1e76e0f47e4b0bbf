#include "disks/VolumeLabelDialog.h"

#include "app/Program.h"
#include "app/RefreshCycle.h"
#include "disks/DriveActions.h"
#include "disks/DriveSurvey.h"

namespace trelvix {

namespace {
constexpr char Escape = 27;
constexpr int FromRemovableList = 11;
} // namespace

TSetVolumeName::TSetVolumeName(Program& program)
    : tk::Form(program.App, "SetVolumeName", ids::setvolume::Form), Prog(program) {
    SetCaption("SetVolumeName");
    // With the frame of a dialog, the window measures 204 x 135.
    SetClientSize(196, 108);
    Dialog = true;
    SystemMenu = false;
    CenterOnScreen = true;
    KeyPreview = true;
    SetTopmost(true);

    tk::Font bold = GetFont();
    bold.bold = true;
    Label1.SetFont(bold);
    Label1.SetCaption("Input New Volume name here!");
    Label1.SetBounds(8, 8, 171, 13);
    Edit1.SetBounds(8, 32, 169, 21);
    BitBtn1.SetCaption("Save");
    BitBtn1.SetBounds(8, 72, 65, 25);
    BitBtn1.SetHandCursor(true);
    BitBtn2.SetCaption("Cancel");
    BitBtn2.SetBounds(104, 72, 75, 25);
    BitBtn2.SetHandCursor(true);

    OnActivate = [this] { FormActivate(); };
    OnKeyPress = [this](char& key) { FormKeyPress(key); };
    BitBtn1.OnClick = [this] { BitBtn1Click(); };
    BitBtn2.OnClick = [this] { Close(); };
}

const std::string& TSetVolumeName::Drive() const {
    const DiskMonitorState& monitor = Prog.DiskMonitor;
    return monitor.LabelSource == FromRemovableList ? monitor.RemovableLabelDrive
                                                    : monitor.FixedLabelDrive;
}

void TSetVolumeName::FormActivate() {
    Edit1.SetFocus();
    SetCaption("SetVolumeName for " + Drive());
    Edit1.SetText("");
}

void TSetVolumeName::BitBtn1Click() {
    const std::string drive = Drive();
    const std::optional<std::string> refused =
        WriteVolumeLabel(Prog.Ports.drives, drive, Edit1.Text());
    Close();
    RefreshAll(Prog);
    if (Prog.DiskMonitor.LabelSource == FromRemovableList)
        SurveyRemovableDrives(Prog);
    RefreshDrivePickers(Prog);
    // Behind the box, the lists show the label the drive kept.
    if (refused)
        ShowRefusal(Prog, "The volume label of " + drive + " was not changed", *refused);
}

void TSetVolumeName::FormKeyPress(char& key) {
    if (key == Escape)
        Close();
}

} // namespace trelvix
