#include "tools/Stopwatch.h"

#include "app/ResourceGlyphs.h"
#include "app/Program.h"

#include <cstdio>

namespace trelvix {

namespace {
constexpr const char* StartCaption = "Start StopWatch";
constexpr const char* StopCaption = "Stop StopWatch";
constexpr int OneSecond = 1000;

std::string PassText(double seconds) {
    char number[32];
    std::snprintf(number, sizeof number, "%.15g", seconds);
    return std::string("Pass ") + number + " sec.";
}
} // namespace

void DesignStopWatchPage(TMainForm& f) {
    f.BitBtn6.SetCaption(StartCaption);
    f.BitBtn6.SetBounds(180, 60, 250, 80);
    f.BitBtn8.SetCaption("Continue time");
    f.BitBtn8.SetBounds(230, 150, 150, 30);
    f.Label9.SetCaption("Label9");
    f.Label9.SetFont({.name = "MS Sans Serif", .size = 12, .bold = true});
    f.Label9.SetBounds(180, 210, 250, 24);
}

// The caption of BitBtn6 is the running state: stopped exactly when it offers a start.
void ToggleStopWatch(Program& p) {
    TMainForm& f = *p.MainForm;
    if (f.BitBtn6.Caption() == StartCaption) {
        f.BitBtn6.SetCaption(StopCaption);
        f.StopWatchTimer2.SetInterval(OneSecond);
        f.Label9.SetCaption(PassText(0));
        p.StopWatch.StopWatchSeconds = 0;
        f.BitBtn6.SetGlyph(LoadResourceGlyph(p, "NoClock.bmp"));
        f.BitBtn8.SetEnabled(false);
    } else {
        f.BitBtn6.SetCaption(StartCaption);
        f.StopWatchTimer2.SetInterval(0);
        f.BitBtn6.SetGlyph(LoadResourceGlyph(p, "Clock.bmp"));
        f.BitBtn8.SetEnabled(true);
    }
}

void StopWatchTick(Program& p) {
    p.StopWatch.StopWatchSeconds += 1;
    p.MainForm->Label9.SetCaption(PassText(p.StopWatch.StopWatchSeconds));
}

// Goes on from the count shown; before any start that is 0.
void ContinueStopWatch(Program& p) {
    TMainForm& f = *p.MainForm;
    f.StopWatchTimer2.SetInterval(OneSecond);
    f.BitBtn6.SetCaption(StopCaption);
    f.BitBtn6.SetGlyph(LoadResourceGlyph(p, "NoClock.bmp"));
    f.BitBtn8.SetEnabled(false);
}

} // namespace trelvix
