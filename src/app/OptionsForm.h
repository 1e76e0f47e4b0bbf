#pragma once

#include "app/ControlIds.h"
#include "toolkit/Controls.h"

namespace trelvix {

class Program;

// Refresh period and capacity unit. Created once at start-up, after the main window,
// and shown modally from the Options menu item and tool button.
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

    void FormCreate();
    void FormActivate();
    void FormClose();
    // Moving the period switches refreshing on with that period.
    void TrackBar1Change();
    // Switches refreshing off, or on with 5 seconds.
    void BitBtn1Click();
    void TrackBar2Change();
    void PageControl1Change();

  private:
    void Design();
    void BindEvents();
    // The on/off button, Label2 and Timer1 after the period was switched or moved.
    void ShowRefreshState();
};

} // namespace trelvix
