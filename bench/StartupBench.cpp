// Times the start of trelvix.exe (TRELVIX_EXE) to a visible, answering window (the pages
// not shown first are made after that) and reads its private memory once every page is made,
// both against a bare window (trelvix_bench_bare_window.exe beside this program) in
// alternating rounds; then the window's worst WM_NULL round trip while the temporary folder
// is sized and while it is emptied ("Delete from Temporary Directory", with deleting allowed
// beforehand).
//
//   trelvix_bench_startup [rounds]
//
// bench/startup-bench fills the prefix's temporary folder from the Linux side and runs it
// with the folder empty and full.

#include "app/ControlIds.h"
#include "e2e/Driver.h"

#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <stdexcept>
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

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The private (committed, not shared) memory: PagefileUsage, which Windows documents as the
// same as PrivateUsage and which Wine also fills for another process.
double PrivateMegabytes(HANDLE process) {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (GetProcessMemoryInfo(process, &counters, sizeof counters) == FALSE)
        return 0;
    return static_cast<double>(counters.PagefileUsage) / (1024.0 * 1024.0);
}

struct Started {
    double ms = 0;
    double privateMb = 0;
};

std::wstring BesideThisProgram(const wchar_t* name) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1) + name;
}

// The bare window started, waited for as the driver waits for the program's, and closed.
Started StartBareWindow(const std::wstring& libraries = {}) {
    std::wstring command =
        L"\"" + BesideThisProgram(L"trelvix_bench_bare_window.exe") + L"\" " + libraries;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const auto start = Clock::now();
    if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &process) == FALSE)
        throw std::runtime_error("the bare window did not start");
    HWND window = nullptr;
    e2e::WaitFor([&] {
        window = FindWindowW(L"TrelvixBenchBareWindow", nullptr);
        return window != nullptr;
    });
    WaitForInputIdle(process.hProcess, 20000);
    e2e::WaitFor([&] { return IsWindowVisible(window) != FALSE; });
    e2e::WaitFor([&] {
        DWORD_PTR result = 0;
        return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result) != 0;
    });
    Started started{Since(start), PrivateMegabytes(process.hProcess)};
    PostMessageW(window, WM_CLOSE, 0, 0);
    WaitForSingleObject(process.hProcess, 15000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return started;
}

bool SizeShown(const e2e::Trelvix& app) {
    const std::string text = app.Text(app.Control(ids::main::Label2));
    return !text.empty() && text.find("Bytes") != std::string::npos;
}

} // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    e2e::StoreSetting("IndexOfTemp", 1);
    // What trelvix.exe imports, and what it loads by the time every page is made (the logon
    // and network security packages behind the scheduled tasks' reading, the task scheduler,
    // the window manager and blending helpers): the bare window with them tells their share.
    const std::wstring imports =
        L"advapi32.dll comctl32.dll mpr.dll ole32.dll oleaut32.dll powrprof.dll secur32.dll "
        L"shell32.dll uxtheme.dll winmm.dll kerberos.dll msv1_0.dll netapi32.dll dnsapi.dll "
        L"iphlpapi.dll ws2_32.dll dwmapi.dll xmllite.dll taskschd.dll msimg32.dll";
    std::vector<double> starts, bareStarts, memory, bareMemory, dllStarts, dllMemory;
    for (int round = 0; round < rounds; ++round) {
        // Alternating which starts first, so that neither always finds the caches warm.
        if (round % 2 == 0) {
            const Started bare = StartBareWindow();
            bareStarts.push_back(bare.ms);
            bareMemory.push_back(bare.privateMb);
        }
        {
            e2e::Trelvix app;
            const auto start = Clock::now();
            app.Start(); // returns once the first survey result shows: every page is made
            starts.push_back(
                std::chrono::duration<double, std::milli>(app.Answered() - start).count());
            memory.push_back(PrivateMegabytes(app.Process()));
            const double walk = WorstRoundTrip(app.Main(), [&] { return SizeShown(app); });
            const double sized = Since(start);
            std::printf("round %d: start-up %8.1f ms, private %6.1f MB, sized after %8.1f ms, "
                        "worst WM_NULL %6.1f ms (sizing): %s\n",
                        round + 1, starts.back(), memory.back(), sized, walk,
                        app.Text(app.Control(ids::main::Label2)).c_str());
            app.Close();
        }
        if (round % 2 != 0) {
            const Started bare = StartBareWindow();
            bareStarts.push_back(bare.ms);
            bareMemory.push_back(bare.privateMb);
        }
        const Started withDlls = StartBareWindow(imports);
        dllStarts.push_back(withDlls.ms);
        dllMemory.push_back(withDlls.privateMb);
        std::printf("round %d: bare window start-up %8.1f ms, private %6.1f MB; with the "
                    "program's DLLs %8.1f ms, %6.1f MB\n",
                    round + 1, bareStarts.back(), bareMemory.back(), withDlls.ms,
                    withDlls.privateMb);
    }
    std::printf("start-up median      %8.1f ms, bare window %8.1f ms: %.2fx\n", Median(starts),
                Median(bareStarts), Median(starts) / Median(bareStarts));
    std::printf("private memory median %7.1f MB, bare window %8.1f MB: %.2fx\n", Median(memory),
                Median(bareMemory), Median(memory) / Median(bareMemory));
    std::printf("bare window with the program's DLLs: start-up %8.1f ms, private %6.1f MB\n",
                Median(dllStarts), Median(dllMemory));

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
