#pragma once

#include "app/ControlIds.h"
#include "toolkit/Controls.h"

namespace trelvix {

class Program;

// The About dialog: version, contact links, version history, credits and thanks, and a
// picture that fades in each time the dialog becomes the program's active form.
class TAbout : public tk::Form {
  public:
    explicit TAbout(Program& program);
    Program& Prog;

    // Declared before the pages so that the close button lies above their tab row.
    tk::Image Image1{*this, this, "Image1", ids::about::Image1};
    tk::Label Label3{*this, this, "Label3", ids::about::Label3};
    tk::Label Label5{*this, this, "Label5", ids::about::Label5};
    tk::Label Label1{*this, this, "Label1", ids::about::Label1};
    tk::Label Label6{*this, this, "Label6", ids::about::Label6};
    tk::Label Label2{*this, this, "Label2", ids::about::Label2};
    tk::BitBtn BitBtn1{*this, this, "BitBtn1", ids::about::BitBtn1};
    tk::PageControl PageControl1{*this, this, "PageControl1", ids::about::PageControl1};
    tk::TabSheet TabSheet1{*this, PageControl1, "TabSheet1", ids::about::TabSheet1};
    tk::TabSheet TabSheet2{*this, PageControl1, "TabSheet2", ids::about::TabSheet2};
    tk::TabSheet TabSheet3{*this, PageControl1, "TabSheet3", ids::about::TabSheet3};
    tk::Label ListBox1Name{*this, &TabSheet1, "ListBox1Name", ids::about::ListBox1Name};
    tk::ListBox ListBox1{*this, &TabSheet1, "ListBox1", ids::about::ListBox1};
    tk::Label ListBox2Name{*this, &TabSheet2, "ListBox2Name", ids::about::ListBox2Name};
    tk::ListBox ListBox2{*this, &TabSheet2, "ListBox2", ids::about::ListBox2};
    tk::Label ListBox3Name{*this, &TabSheet3, "ListBox3Name", ids::about::ListBox3Name};
    tk::ListBox ListBox3{*this, &TabSheet3, "ListBox3", ids::about::ListBox3};

    // The first picture, then the frames of the fade into the second, drawn where Image1
    // stands; then Image1 shows its own picture on top. A picture file that cannot be read
    // is reported (once per run) and no frame is drawn.
    void PlayAboutPicture();

  private:
    void Design();
    void OpenMailLink();
    void OpenWebSite();
};

} // namespace trelvix
