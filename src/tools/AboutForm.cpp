#include "tools/AboutForm.h"

#include "app/Program.h"

namespace trelvix {

TAbout::TAbout(Program& program) : tk::Form(program.App, "About", ids::about::Form), Prog(program) {
    SetCaption("About");
    SetClientSize(400, 300);
    Dialog = true;
    KeyPreview = true;
    Label1.SetBounds(10, 10, 380, 16);
    BitBtn1.SetBounds(160, 260, 80, 28);
    BitBtn1.SetCaption("Close");
    BitBtn1.OnClick = [this] { Close(); };
    OnKeyPress = [this](char& key) {
        if (key == 27)
            Close();
    };
}

} // namespace trelvix
