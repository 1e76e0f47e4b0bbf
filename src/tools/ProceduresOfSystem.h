#pragma once

namespace trelvix {

class Program;
class TMainForm;

void DesignSystemPage(TMainForm& f);
void ShowMemoryFigures(Program& p);
void StartTaskManager(Program& p);
void StartDirectXDiagnostics(Program& p);

} // namespace trelvix
