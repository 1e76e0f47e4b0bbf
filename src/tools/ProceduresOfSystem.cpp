#include "tools/ProceduresOfSystem.h"

#include "app/Program.h"

namespace trelvix {

void DesignSystemPage(TMainForm& f) {
    f.GroupBox10.SetCaption(" Memory ");
    f.GroupBox10.SetBounds(10, 5, 595, 200);
    tk::Label* labels[] = {&f.Label10, &f.Label11, &f.Label12, &f.Label13,
                           &f.Label14, &f.Label15, &f.Label16, &f.Label17};
    const char* captions[] = {"Memory Load",           "Free Memory",
                              "Total Physical Memory", "Free Physical Memory",
                              "Total Page File Memory", "Free Page File Memory",
                              "Total Virtual Memory",  "Free Virtual Memory"};
    for (int i = 0; i < 8; ++i) {
        labels[i]->SetCaption(captions[i]);
        labels[i]->SetBounds(12, 20 + i * 22, 570, 16);
    }
    f.GroupBox12.SetCaption("Time Work Of Windows ");
    f.GroupBox12.SetBounds(10, 210, 595, 50);
    f.Label23.SetCaption("Label23");
    f.Label23.SetBounds(12, 22, 570, 16);
    f.BitBtn9.SetCaption("TaskManager");
    f.BitBtn9.SetBounds(10, 275, 140, 30);
    f.BitBtn10.SetCaption("Direct X");
    f.BitBtn10.SetBounds(160, 275, 140, 30);
}

void ShowMemoryFigures(Program&) {}
void StartTaskManager(Program&) {}
void StartDirectXDiagnostics(Program&) {}

} // namespace trelvix
