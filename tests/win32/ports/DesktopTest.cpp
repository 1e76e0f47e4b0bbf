#include "platform/win32/Unicode.h"
#include "platform/win32/Win32Desktop.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

TEST(DesktopTest, KeyStateReadsTheThreadsKeyboard) {
    struct Row {
        bool shift, ctrl, alt;
    };
    const Row rows[] = {{false, false, false},
                        {true, false, false},
                        {false, true, false},
                        {false, false, true},
                        {true, true, true}};
    BYTE saved[256] = {};
    ASSERT_TRUE(GetKeyboardState(saved));
    for (const Row& row : rows) {
        BYTE keys[256] = {};
        keys[VK_SHIFT] = row.shift ? 0x80 : 0;
        keys[VK_CONTROL] = row.ctrl ? 0x80 : 0;
        keys[VK_MENU] = row.alt ? 0x80 : 0;
        ASSERT_TRUE(SetKeyboardState(keys));
        const port::ModifierKeys state = win32::Win32Desktop().KeyState();
        EXPECT_EQ(state.shift, row.shift);
        EXPECT_EQ(state.ctrl, row.ctrl);
        EXPECT_EQ(state.alt, row.alt);
    }
    SetKeyboardState(saved);
}

// Answers the box captioned `caption` with `button`, and notes the box's owner.
void Answer(const std::wstring& caption, int button, std::atomic<HWND>& owner) {
    for (int i = 0; i < 200; ++i) {
        if (HWND box = FindWindowW(L"#32770", caption.c_str())) {
            owner = GetWindow(box, GW_OWNER);
            PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
            return;
        }
        Sleep(50);
    }
}

TEST(DesktopTest, MessageBoxShowsTheTextsAndReturnsTheAnswer) {
    HWND main = CreateWindowExW(0, L"STATIC", L"main", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(main, nullptr);
    win32::Win32Desktop desktop;
    desktop.SetOwnerWindow(main);
    struct Row {
        unsigned flags;
        int button;
    };
    const Row rows[] = {
        {port::mb::YesNo | port::mb::IconExclamation | port::mb::DefButton2, port::mb::IdYes},
        {port::mb::YesNo, port::mb::IdNo},
        {port::mb::Ok | port::mb::IconError, port::mb::IdOk}};
    for (const Row& row : rows) {
        const std::string caption = "Warning! ü 日本";
        std::atomic<HWND> owner{nullptr};
        std::thread answer(Answer, win32::Widen(caption), row.button, std::ref(owner));
        const int result = desktop.MessageBox("Delete ключ?", caption, row.flags);
        answer.join();
        EXPECT_EQ(result, row.button);
        // No window of this thread is active: the main window owns the box.
        EXPECT_EQ(owner.load(), main);
    }
    DestroyWindow(main);
}

} // namespace
