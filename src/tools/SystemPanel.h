#pragma once

#include <cstdint>
#include <string>

namespace trelvix {

class Program;
class TMainForm;

void DesignSystemPage(TMainForm& f);
void ShowMemoryFigures(Program& p);
// Time since Windows started, as hours:minutes:seconds.
void ShowWindowsUptime(Program& p);
void StartTaskManager(Program& p);
void StartDirectXDiagnostics(Program& p);

// A byte count in whole megabytes, halves rounded to the even neighbour.
std::uint64_t WholeMegabytes(std::uint64_t bytes);

} // namespace trelvix
