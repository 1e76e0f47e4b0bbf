#pragma once

namespace trelvix {

class Program;

void FillDateTimeNow(Program& p);
void ShowNotArmedGlyphs(Program& p);
void CheckScheduledPowerAction(Program& p);

} // namespace trelvix
