#pragma once

namespace trelvix {

class Program;

// Sets AutoRunOn from the per-user Run key.
void DetectAutoRun(Program& p);
void RefreshAutoStart(Program& p);

} // namespace trelvix
