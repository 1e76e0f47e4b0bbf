#include "app/OptionsForm.h"

#include "app/Program.h"

namespace trelvix {

TOptions::TOptions(Program& program)
    : tk::Form(program.App, "Options", ids::options::Form), Prog(program) {
    SetCaption("Options");
    SetClientSize(352, 209);
    Dialog = true;
    KeyPreview = true;
    BitBtn3.SetHint("Close");
    BitBtn3.SetBounds(136, 170, 80, 28);
    BitBtn3.SetCaption("Close");
    BitBtn2.SetHint("Close");
    BitBtn2.SetVisible(false);
    BitBtn3.OnClick = [this] { Close(); };
    BitBtn2.OnClick = [this] { Close(); };
    OnKeyPress = [this](char& key) {
        if (key == 27)
            Close();
    };
}

} // namespace trelvix
