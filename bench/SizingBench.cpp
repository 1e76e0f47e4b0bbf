// One start of trelvix.exe (TRELVIX_EXE): the milliseconds from the start until the
// temporary folder's exact size shows on its page, then the window is closed.
//
//   trelvix_bench_sizing
//
// bench/resident-bench runs it with the folder empty and full, between bare walks of the
// same tree, and takes the medians.

#include "app/ControlIds.h"
#include "e2e/Driver.h"

#include <chrono>
#include <cstdio>
#include <string>

int main() {
    using Clock = std::chrono::steady_clock;
    e2e::StoreSetting("IndexOfTemp", 1);
    e2e::Trelvix app;
    const auto start = Clock::now();
    app.Start();
    HWND label = app.Control(ids::main::Label2);
    // The size ends in "Bytes"; "Counting..." and the empty label come before it.
    const bool shown =
        e2e::WaitFor([&] { return app.Text(label).find("Bytes") != std::string::npos; },
                     std::chrono::minutes(2));
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    std::printf("sized %.1f ms: %s\n", shown ? ms : -1.0, app.Text(label).c_str());
    app.Close();
    return shown ? 0 : 1;
}
