#pragma once

namespace trelvix {

class Program;
class TMainForm;

// State of the disk monitor between surveys.
struct DiskMonitorState {
    int RemovableSelection = 0;
};

void DesignDisksPage(TMainForm& f);

void RefreshDrivePickers(Program& p);
void SurveyFixedDrives(Program& p);
void SurveyRemovableDrives(Program& p);
// Puts the remembered selections back into ListBox1..ListBox4.
void ReselectDriveLists(Program& p);
void ResetChangeMarkers(Program& p);

} // namespace trelvix
