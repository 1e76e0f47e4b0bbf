#include "tools/SystemPanel.h"

#include "app/Program.h"
#include "launch/LaunchConventions.h"

namespace trelvix {

void DesignSystemPage(TMainForm& f) {
    f.GroupBox10.SetCaption(" Memory ");
    f.GroupBox10.SetBounds(10, 5, 595, 200);
    tk::Label* labels[] = {&f.Label10, &f.Label11, &f.Label12, &f.Label13,
                           &f.Label14, &f.Label15, &f.Label16, &f.Label17};
    const char* captions[] = {"Memory Load",
                              "Free Memory",
                              "Total Physical Memory",
                              "Free Physical Memory",
                              "Total Page File Memory",
                              "Free Page File Memory",
                              "Total Virtual Memory",
                              "Free Virtual Memory"};
    // The full width of the group: a 64-bit process's address space alone runs to
    // nine digits of megabytes.
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

// Integer arithmetic: exact for every 64-bit count, whatever the FPU's rounding mode.
std::uint64_t WholeMegabytes(std::uint64_t bytes) {
    constexpr std::uint64_t Half = std::uint64_t{1} << 19;
    std::uint64_t whole = bytes >> 20;
    std::uint64_t rest = bytes & ((std::uint64_t{1} << 20) - 1);
    if (rest > Half || (rest == Half && whole % 2 == 1))
        ++whole;
    return whole;
}

void ShowMemoryFigures(Program& p) {
    const port::MemoryStatus m = p.Ports.system.Memory();
    TMainForm& f = *p.MainForm;
    const auto load = static_cast<std::int64_t>(m.memoryLoad);
    f.Label10.SetCaption("Memory Load - " + std::to_string(load) + "%");
    f.Label11.SetCaption("Free Memory - " + std::to_string(100 - load) + "%");
    struct Figure {
        tk::Label& label;
        std::uint64_t bytes;
        const char* prefix;
        const char* suffix;
    };
    const Figure figures[] = {
        {f.Label12, m.totalPhys, "Total Physical Memory - ", " MBytes"},
        {f.Label13, m.availPhys, "Free Physical Memory - ", " Mbytes"},
        {f.Label14, m.totalPageFile, "Total Page File Memory  - ", " Mbytes"},
        {f.Label15, m.availPageFile, "Free Page File Memory - ", " Mbytes"},
        {f.Label16, m.totalVirtual, "Total Virtual Memory - ", " Mbytes"},
        {f.Label17, m.availVirtual, "Free Virtual Memory - ", " Mbytes"},
    };
    for (const Figure& figure : figures)
        figure.label.SetCaption(figure.prefix + std::to_string(WholeMegabytes(figure.bytes)) +
                                figure.suffix);
}

void StartTaskManager(Program& p) {
    LaunchInSystemDirectory(p, "\\TaskMgr.exe");
}

void StartDirectXDiagnostics(Program& p) {
    LaunchInSystemDirectory(p, "\\dxdiag.exe");
}

void ShowWindowsUptime(Program& p) {
    // The 64-bit tick count: the text keeps counting past 49.7 days instead of
    // starting again from 0:00:00. Hours are not wrapped into days.
    const std::uint64_t seconds = p.Ports.system.TickCount() / 1000;
    auto twoDigits = [](std::uint64_t n) { return (n < 10 ? "0" : "") + std::to_string(n); };
    p.MainForm->Label23.SetCaption(std::to_string(seconds / 3600) + ":" +
                                   twoDigits(seconds / 60 % 60) + ":" + twoDigits(seconds % 60));
}

} // namespace trelvix
