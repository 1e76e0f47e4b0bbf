#include "tools/ProceduresOfStopWatch.h"

#include "app/Program.h"

namespace trelvix {

void DesignStopWatchPage(TMainForm& f) {
    f.BitBtn6.SetCaption("Start StopWatch");
    f.BitBtn6.SetBounds(180, 60, 250, 80);
    f.BitBtn8.SetCaption("Continue time");
    f.BitBtn8.SetBounds(230, 150, 150, 30);
    f.Label9.SetCaption("Label9");
    f.Label9.SetFont({.name = "MS Sans Serif", .size = 12, .bold = true});
    f.Label9.SetBounds(180, 210, 250, 24);
}

void ToggleStopWatch(Program&) {}
void StopWatchTick(Program&) {}
void ContinueStopWatch(Program&) {}

} // namespace trelvix
