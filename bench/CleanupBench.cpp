// Times the cleanup walks over the real files port.
//
//   trelvix_bench_cleanup size FOLDER [rounds]   DirSize against a bare FindFirstFileExW loop
//                                                that only adds sizes (the floor), alternating,
//                                                after one untimed round of each (warm cache)
//   trelvix_bench_cleanup delete FOLDER          DeleteFolderContent of the folder's content
//   trelvix_bench_cleanup delete-bare FOLDER     the same with a bare DeleteFileW and
//                                                RemoveDirectoryW loop, for comparison
//
// bench/cleanup-bench builds the tree in a Wine prefix, runs both and compares the deletion
// with rm -rf of a copy.

#include "cleanup/FolderWalk.h"
#include "platform/win32/Unicode.h"
#include "platform/win32/Win32Files.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <functional>
#include <string>
#include <vector>

namespace {

double Milliseconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    const auto end = std::chrono::steady_clock::now();
    return std::chrono::duration<double, std::milli>(end - start).count();
}

double Median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The floor: what any walk of the tree costs at least.
std::int64_t BareSize(const std::wstring& folder) {
    std::int64_t sum = 0;
    WIN32_FIND_DATAW found;
    const HANDLE find = FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &found,
                                         FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    do {
        const wchar_t* name = found.cFileName;
        if (std::wcscmp(name, L".") == 0 || std::wcscmp(name, L"..") == 0)
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            sum += BareSize(folder + L"\\" + name);
        else
            sum += (static_cast<std::int64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
    } while (FindNextFileW(find, &found));
    FindClose(find);
    return sum;
}

int Size(const std::string& folder, int rounds) {
    win32::Win32Files files;
    trelvix::WalkProgress progress;
    const std::int64_t walked = trelvix::DirSize(files, folder, &progress);
    const std::int64_t bare = BareSize(win32::Widen(folder));
    std::printf("%lld files, %lld bytes (bare loop: %lld bytes)\n",
                static_cast<long long>(progress.files), static_cast<long long>(walked),
                static_cast<long long>(bare));
    if (walked != bare) {
        std::printf("the two walks disagree\n");
        return 1;
    }
    std::vector<double> dirSize, floor;
    for (int round = 0; round < rounds; ++round) {
        auto timeDirSize = [&] {
            dirSize.push_back(Milliseconds([&] { trelvix::DirSize(files, folder); }));
        };
        auto timeFloor = [&] {
            floor.push_back(Milliseconds([&] { BareSize(win32::Widen(folder)); }));
        };
        // Alternating, so that neither always runs second on a cache the other warmed.
        if (round % 2 == 0) {
            timeDirSize();
            timeFloor();
        } else {
            timeFloor();
            timeDirSize();
        }
    }
    std::printf("%d rounds each, medians\n", rounds);
    std::printf("DirSize              %9.1f ms\n", Median(dirSize));
    std::printf("FindFirstFileExW loop %8.1f ms\n", Median(floor));
    std::printf("ratio                %9.3f\n", Median(dirSize) / Median(floor));
    return 0;
}

// Deletes everything under a folder the plainest way; the folder itself stays.
void BareDelete(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    const HANDLE find = FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &found,
                                         FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        const wchar_t* name = found.cFileName;
        if (std::wcscmp(name, L".") == 0 || std::wcscmp(name, L"..") == 0)
            continue;
        const std::wstring path = folder + L"\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            BareDelete(path);
            RemoveDirectoryW(path.c_str());
        } else {
            DeleteFileW(path.c_str());
        }
    } while (FindNextFileW(find, &found));
    FindClose(find);
}

int DeleteBare(const std::string& folder) {
    const double ms = Milliseconds([&] { BareDelete(win32::Widen(folder)); });
    std::printf("bare deletion loop   %9.1f ms\n", ms);
    return 0;
}

int Delete(const std::string& folder) {
    win32::Win32Files files;
    trelvix::WalkProgress progress;
    bool all = false;
    const double ms =
        Milliseconds([&] { all = trelvix::DeleteFolderContent(files, folder, {}, &progress); });
    std::printf("DeleteFolderContent  %9.1f ms  (%lld files, %s)\n", ms,
                static_cast<long long>(progress.files), all ? "everything went" : "some stayed");
    return all ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 2 ? argv[1] : "";
    if (mode == "size")
        return Size(argv[2], argc > 3 ? std::max(5, std::atoi(argv[3])) : 7);
    if (mode == "delete")
        return Delete(argv[2]);
    if (mode == "delete-bare")
        return DeleteBare(argv[2]);
    std::fprintf(stderr, "usage: trelvix_bench_cleanup size FOLDER [rounds] | delete FOLDER | "
                         "delete-bare FOLDER\n");
    return 2;
}
