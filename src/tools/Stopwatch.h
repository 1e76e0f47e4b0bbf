#pragma once

namespace trelvix {

class Program;
class TMainForm;

struct StopWatchState {
    double StopWatchSeconds = 0;
};

void DesignStopWatchPage(TMainForm& f);
void ToggleStopWatch(Program& p);
void StopWatchTick(Program& p);
void ContinueStopWatch(Program& p);

} // namespace trelvix
