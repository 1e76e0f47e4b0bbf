#include "app/ShownFigures.h"

#include "app/Program.h"
#include "app/StatusLine.h"
#include "tools/SystemPanel.h"

namespace trelvix {

namespace {
constexpr int SystemPage = 5;

bool SystemPageOnView(const Program& p) {
    const TMainForm& f = *p.MainForm;
    return f.OnScreen() && f.Disks.ActivePageIndex() == SystemPage;
}

void ShowSystemPageFigures(Program& p) {
    if (!SystemPageOnView(p))
        return;
    ShowMemoryFigures(p);
    ShowWindowsUptime(p);
}
} // namespace

void MainWindowScreenChanged(Program& p) {
    TMainForm& f = *p.MainForm;
    f.TimerControl.SetEnabled(f.OnScreen());
    if (!f.OnScreen())
        return;
    ComposeStatusLine(p);
    ShowSystemPageFigures(p);
}

void PageShownChanged(Program& p) {
    ShowSystemPageFigures(p);
}

void ShowSecondFigures(Program& p) {
    // A call from elsewhere (a test, a late tick) while away composes nothing either.
    if (!p.MainForm->OnScreen())
        return;
    ComposeStatusLine(p);
    if (SystemPageOnView(p))
        ShowMemoryFigures(p);
}

void ShowUptimeOnView(Program& p) {
    if (SystemPageOnView(p))
        ShowWindowsUptime(p);
}

} // namespace trelvix
