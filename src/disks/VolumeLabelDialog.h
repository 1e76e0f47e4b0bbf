#pragma once

#include "app/ControlIds.h"
#include "toolkit/Controls.h"

namespace trelvix {

class Program;

// The dialog that changes a drive's volume label. It names the drive of the list that
// opened it (DiskMonitorState::LabelSource).
class TSetVolumeName : public tk::Form {
  public:
    explicit TSetVolumeName(Program& program);
    Program& Prog;

    tk::Label Label1{*this, this, "Label1", ids::setvolume::Label1};
    tk::Edit Edit1{*this, this, "Edit1", ids::setvolume::Edit1};
    tk::BitBtn BitBtn1{*this, this, "BitBtn1", ids::setvolume::BitBtn1};
    tk::BitBtn BitBtn2{*this, this, "BitBtn2", ids::setvolume::BitBtn2};

    // ---- Handlers ----
    void FormActivate();
    void BitBtn1Click();
    void FormKeyPress(char& key);

    // The drive the dialog relabels: "C:".
    [[nodiscard]] const std::string& Drive() const;
};

} // namespace trelvix
