// Times the fixed-drive survey and the whole refresh over the real drives and system ports.
// The rest of the program (registry, tray, bitmaps, ...) runs on the in-memory fakes, so
// the figures are those of the drive queries and the text they become.
//
//   trelvix_bench_survey [rounds]      (default 200)

#include "app/RefreshCycle.h"
#include "app/Program.h"
#include "disks/DriveSurvey.h"
#include "fakes/Fakes.h"
#include "platform/win32/Win32Drives.h"
#include "platform/win32/Win32System.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

struct Figures {
    double median, fastest, slowest;
};

Figures Time(int rounds, const std::function<void()>& work) {
    work(); // the first call pays for loading the system's drive code
    std::vector<double> ms;
    ms.reserve(static_cast<std::size_t>(rounds));
    for (int i = 0; i < rounds; ++i) {
        auto start = std::chrono::steady_clock::now();
        work();
        auto end = std::chrono::steady_clock::now();
        ms.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.front(), ms.back()};
}

void Print(const char* what, const Figures& f) {
    std::printf("%-22s median %.3f ms   fastest %.3f ms   slowest %.3f ms\n", what, f.median,
                f.fastest, f.slowest);
}

} // namespace

int main(int argc, char** argv) {
    int rounds = argc > 1 ? std::atoi(argv[1]) : 200;
    if (rounds < 1)
        rounds = 1;

    fakes::FakePorts fake;
    win32::Win32Drives drives;
    win32::Win32System system;
    port::Ports ports{fake.registry, drives,        fake.files, fake.shell,   fake.power,
                      fake.tray,     fake.media,    system,     fake.desktop, fake.bitmaps,
                      fake.look,     fake.keyWatch, fake.tasks};
    trelvix::Program program(ports);
    program.Start();

    std::printf("Drives listed by the survey:\n");
    for (const tk::ListBox* list : {&program.MainForm->ListBox1, &program.MainForm->ListBox2,
                                    &program.MainForm->ListBox3, &program.MainForm->ListBox4})
        for (const std::string& line : list->Items())
            std::printf("  %s\n", line.c_str());
    std::printf("%d rounds each\n", rounds);

    Print("SurveyFixedDrives", Time(rounds, [&] { trelvix::SurveyFixedDrives(program); }));
    Print("RefreshDrivePickers", Time(rounds, [&] { trelvix::RefreshDrivePickers(program); }));
    Print("RefreshAll", Time(rounds, [&] { trelvix::RefreshAll(program); }));
    return 0;
}
