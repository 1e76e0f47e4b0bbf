#include "platform/win32/InstanceLock.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

// Starts tests/win32/helpers/hold_instance_lock.exe and waits until it holds the lock.
win32::UniqueHandle StartLockHolder() {
    const wchar_t* readyName = L"Local\\TrelvixTest.LockHeld";
    win32::UniqueHandle ready(CreateEventW(nullptr, TRUE, FALSE, readyName));
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::wstring exe =
        std::filesystem::path(self).replace_filename("hold_instance_lock.exe").wstring();
    std::wstring commandLine = L"\"" + exe + L"\" " + readyName;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       nullptr, &startup, &process) == FALSE)
        return {};
    CloseHandle(process.hThread);
    win32::UniqueHandle holder(process.hProcess);
    HANDLE waitFor[] = {ready.get(), holder.get()};
    if (WaitForMultipleObjects(2, waitFor, FALSE, 10000) != WAIT_OBJECT_0)
        return {};
    return holder;
}

TEST(InstanceLock, IsHeldByOneProcessAndFreedWhenItsHolderIsKilled) {
    EXPECT_EQ(win32::InstanceLockName().rfind(L"Local\\Trelvix.", 0), 0u);

    win32::UniqueHandle holder = StartLockHolder();
    ASSERT_TRUE(holder) << "the helper did not take the lock";
    win32::InstanceLock second;
    EXPECT_FALSE(second.Acquire());

    TerminateProcess(holder.get(), 1);
    WaitForSingleObject(holder.get(), 10000);
    win32::InstanceLock afterCrash;
    EXPECT_TRUE(afterCrash.Acquire());
    EXPECT_TRUE(afterCrash.Acquire()) << "taking a lock already held is not a refusal";
}

} // namespace
