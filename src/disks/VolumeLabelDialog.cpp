#include "disks/VolumeLabelDialog.h"

#include "app/Program.h"

namespace trelvix {

TSetVolumeName::TSetVolumeName(Program& program)
    : tk::Form(program.App, "SetVolumeName", ids::setvolume::Form), Prog(program) {
    SetCaption("Volume Label");
    SetClientSize(300, 100);
    Dialog = true;
    KeyPreview = true;
}

} // namespace trelvix
