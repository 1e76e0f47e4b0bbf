// Times the start of trelvix.exe (TRELVIX_EXE) to a visible, answering window, and the
// window's worst WM_NULL round trip while the temporary folder is sized and while it is
// emptied ("Delete from Temporary Directory", with deleting allowed beforehand).
//
//   trelvix_bench_startup [rounds]
//
// bench/startup-bench fills the prefix's temporary folder from the Linux side and runs it
// with the folder empty and full.

#include "app/ControlIds.h"
#include "e2e/Driver.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Since(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Sends WM_NULL until `done` holds (at most a minute); the worst round trip in ms.
double WorstRoundTrip(HWND window, const std::function<bool()>& done) {
    double worst = 0;
    const auto until = Clock::now() + std::chrono::minutes(1);
    while (!done() && Clock::now() < until) {
        const auto sent = Clock::now();
        DWORD_PTR result = 0;
        SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &result);
        worst = std::max(worst, Since(sent));
    }
    return worst;
}

bool SizeShown(const e2e::Trelvix& app) {
    const std::string text = app.Text(app.Control(ids::main::Label2));
    return !text.empty() && text.find("Bytes") != std::string::npos;
}

} // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    e2e::StoreSetting("IndexOfTemp", 1);
    std::vector<double> starts;
    for (int round = 0; round < rounds; ++round) {
        e2e::Trelvix app;
        const auto start = Clock::now();
        app.Start();
        starts.push_back(Since(start));
        const double walk = WorstRoundTrip(app.Main(), [&] { return SizeShown(app); });
        const double sized = Since(start);
        std::printf("round %d: start-up %8.1f ms, sized after %8.1f ms, worst WM_NULL %6.1f ms "
                    "(sizing): %s\n",
                    round + 1, starts.back(), sized, walk,
                    app.Text(app.Control(ids::main::Label2)).c_str());
        app.Close();
    }
    std::sort(starts.begin(), starts.end());
    std::printf("start-up median      %8.1f ms\n", starts[starts.size() / 2]);

    // One deletion of the temporary folder, with the window watched all along.
    e2e::Trelvix app;
    app.Start();
    WorstRoundTrip(app.Main(), [&] { return SizeShown(app); });
    app.ClickTab(app.Control(ids::main::Disks), 2);
    app.ClickTab(app.Control(ids::main::PageControl2), 1);
    const auto start = Clock::now();
    e2e::PostClick(app.Control(ids::main::BitBtn1));
    HWND deleteButton = app.Control(ids::main::BitBtn1);
    // Disabled while the deletion runs, enabled again once it ended.
    WorstRoundTrip(app.Main(), [&] { return IsWindowEnabled(deleteButton) == FALSE; });
    const double worst =
        WorstRoundTrip(app.Main(), [&] { return IsWindowEnabled(deleteButton) != FALSE; });
    std::printf("deletion %8.1f ms, worst WM_NULL %6.1f ms: %s\n", Since(start), worst,
                app.Text(app.Control(ids::main::Label2)).c_str());
    app.Close();
    return 0;
}
