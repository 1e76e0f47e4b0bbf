#pragma once

#include "app/ControlIds.h"
#include "toolkit/Controls.h"

namespace trelvix {

class Program;

// Refresh period, capacity unit and the low-space warning. Created once at start-up, after the main
// window, and shown modally from the Options menu item and tool button.
class TOptions : public tk::Form {
  public:
    explicit TOptions(Program& program);
    Program& Prog;

    tk::PageControl PageControl1{*this, this, "PageControl1", ids::options::PageControl1};

    // ---- "Interval" ----
    tk::TabSheet TabSheet1{*this, PageControl1, "TabSheet1", ids::options::TabSheet1};
    tk::Label Label1{*this, &TabSheet1, "Label1", ids::options::Label1};
    tk::TrackBar TrackBar1{*this, &TabSheet1, "TrackBar1", ids::options::TrackBar1};
    tk::Label Label2{*this, &TabSheet1, "Label2", ids::options::Label2};
    tk::BitBtn BitBtn1{*this, &TabSheet1, "BitBtn1", ids::options::BitBtn1};
    tk::BitBtn BitBtn3{*this, &TabSheet1, "BitBtn3", ids::options::BitBtn3};

    // ---- "Capacity" ----
    tk::TabSheet Capacity{*this, PageControl1, "Capacity", ids::options::Capacity};
    tk::Label Label3{*this, &Capacity, "Label3", ids::options::Label3};
    tk::Label Label4{*this, &Capacity, "Label4", ids::options::Label4};
    tk::TrackBar TrackBar2{*this, &Capacity, "TrackBar2", ids::options::TrackBar2};
    tk::Label Label5{*this, &Capacity, "Label5", ids::options::Label5};
    tk::Label Label6{*this, &Capacity, "Label6", ids::options::Label6};
    tk::Label Label7{*this, &Capacity, "Label7", ids::options::Label7};
    tk::Label Label8{*this, &Capacity, "Label8", ids::options::Label8};
    tk::BitBtn BitBtn2{*this, &Capacity, "BitBtn2", ids::options::BitBtn2};

    // ---- "Notices" ----
    tk::TabSheet Notices{*this, PageControl1, "Notices", ids::options::Notices};
    tk::Label Label9{*this, &Notices, "Label9", ids::options::Label9};
    tk::Edit Edit1{*this, &Notices, "Edit1", ids::options::Edit1};
    tk::UpDown UpDown1{*this, &Notices, "UpDown1", ids::options::UpDown1};
    tk::Label Label10{*this, &Notices, "Label10", ids::options::Label10};
    tk::Label Label11{*this, &Notices, "Label11", ids::options::Label11};
    tk::CheckBox CheckBox1{*this, &Notices, "CheckBox1", ids::options::CheckBox1};
    tk::BitBtn BitBtn4{*this, &Notices, "BitBtn4", ids::options::BitBtn4};

    void FormCreate();
    void FormActivate();
    void FormClose();
    // Moving the period switches refreshing on with that period.
    void TrackBar1Change();
    // Switches refreshing off, or on with 5 seconds.
    void BitBtn1Click();
    void TrackBar2Change();
    void PageControl1Change();
    // A whole number 0..100000 typed in is the new threshold; anything else waits.
    void Edit1Change();
    void StepLowSpace(int step);

  private:
    void Design();
    void BindEvents();
    // The on/off button, Label2 and Timer1 after the period was switched or moved.
    void ShowRefreshState();
    // Text that is not a threshold gives way to the last one that was.
    void ShowLowSpaceThreshold();
};

} // namespace trelvix
