#include "power/ShutdownSchedule.h"

#include "app/Program.h"

namespace trelvix {

void FillDateTimeNow(Program&) {}
void ShowNotArmedGlyphs(Program&) {}
void CheckScheduledPowerAction(Program&) {}

} // namespace trelvix
