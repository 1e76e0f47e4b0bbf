#pragma once

// Drives a running trelvix.exe from outside, as a user or an accessibility tool would:
// finds its windows and controls by their fixed IDs, reads them with window messages,
// clicks and types, and reads the settings it stored.

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

std::string Narrow(const std::wstring& text);
std::wstring Widen(const std::string& text);

// Polls `ready` until it holds or `timeout` passes.
bool WaitFor(const std::function<bool()>& ready,
             std::chrono::milliseconds timeout = std::chrono::seconds(20));

class Trelvix {
  public:
    Trelvix();
    ~Trelvix();
    Trelvix(const Trelvix&) = delete;
    Trelvix& operator=(const Trelvix&) = delete;

    // Starts the program and waits until its main window exists and, unless it is
    // stored as hidden in the tray, is shown and answers, then until the first survey result
    // shows (by then every page and dialog window is made).
    void Start(bool shown = true);
    // When the window first answered during Start.
    [[nodiscard]] std::chrono::steady_clock::time_point Answered() const { return answered_; }
    [[nodiscard]] HANDLE Process() const { return process_.hProcess; }
    // Closes the main window (as its close box does) and waits for the program to end.
    void Close();
    [[nodiscard]] bool Running() const;

    [[nodiscard]] HWND Main() const { return main_; }
    // A control by its fixed ID in `window` (the main window when none is given); nullptr
    // when there is none.
    [[nodiscard]] HWND Control(int id, HWND window = nullptr) const;
    [[nodiscard]] bool MainVisible() const { return IsWindowVisible(main_) != FALSE; }

    // The program's other top-level windows (the tray icon's message window, dialogs, menus).
    [[nodiscard]] std::vector<HWND> OtherWindows() const;
    // A shown window of the program besides the main one, of this class ("#32770" for message
    // boxes, "#32768" for menus; any when empty) and with this caption (any when empty);
    // nullptr when none shows within `timeout`.
    [[nodiscard]] HWND
    WaitForWindow(const std::wstring& className, const std::string& caption = {},
                  std::chrono::milliseconds timeout = std::chrono::seconds(20)) const;

    [[nodiscard]] std::string Text(HWND window) const;
    [[nodiscard]] std::vector<std::string> ListItems(HWND list) const;
    [[nodiscard]] std::string StatusText(HWND statusBar) const;
    [[nodiscard]] int TabIndex(HWND tabs) const;
    [[nodiscard]] int ListSelection(HWND list) const;

    // Real-looking input, sent to the program's windows.
    void ClickTab(HWND tabs, int index) const;
    // Selects a list item as a click would: the list tells its parent of the change.
    void SelectListItem(HWND list, int index) const;
    // Double-clicks a list item as a user does. Posted, not sent: the handler may open a
    // box, which would hold a sent message up until the box closes.
    void DoubleClickListItem(HWND list, int index) const;
    // A mouse message arriving through the tray icon's callback (1025).
    void TrayMouse(unsigned mouseMessage) const;
    // Real key strokes to the main window made foreground: the keys go down in order and
    // come up in reverse, so {VK_CONTROL, 'C'} is Ctrl+C. Shortcuts look at the real state of
    // Ctrl, which only real input sets.
    void PressKeys(std::initializer_list<WORD> keys) const;
    // Moves a track bar as the user's drag would: the bar takes the position and tells
    // its parent, whose scroll notification the program turns into the change event.
    void MoveTrackBar(HWND bar, int position) const;

  private:
    // Runs `work` with `size` bytes allocated inside the program's process.
    void WithRemoteBuffer(std::size_t size, const std::function<void(void* remote)>& work) const;
    void Read(const void* remote, void* local, std::size_t size) const;
    void Write(void* remote, const void* local, std::size_t size) const;

    PROCESS_INFORMATION process_{};
    HWND main_ = nullptr;
    std::chrono::steady_clock::time_point answered_;
};

// The program under test, from TRELVIX_EXE.
std::wstring ExePath();
// HKCU\SOFTWARE\Ostrand\tvx
std::optional<std::uint32_t> StoredSetting(const std::string& name);
void ForgetSettings();
// Writes one setting as the program stores it (a DWORD under its settings key).
void StoreSetting(const std::string& name, std::uint32_t value);
// Starts trelvix.exe once more and waits until that process ends; its exit code, or
// nothing when it did not end within `timeout`.
std::optional<DWORD>
StartAnotherInstance(std::chrono::milliseconds timeout = std::chrono::seconds(20));
// Top-level windows of any process with this class name (and this title, when one is given).
int CountWindows(const wchar_t* className, const wchar_t* title = nullptr);
// Balloons shown: Wine's tray draws each as a shown top-level tooltip window of its own process.
int BalloonsShown();

// ---- Input and boxes, from outside ----

// A click, posted: its handler may open a modal box, which the test is then free to answer.
void Click(HWND button);
// The older names the cleanup tests still call; new tests use Click and WaitForWindow.
inline void PostClick(HWND button) {
    Click(button);
}
inline HWND WaitForBox(const Trelvix& app) {
    return app.WaitForWindow(L"#32770", {}, std::chrono::seconds(10));
}
// A character typed into a window (27 is Escape).
void PostChar(HWND target, wchar_t ch);
// The box's message, its static texts joined.
std::string BoxText(HWND box);
// Presses the box's button with this ID (IDYES, IDNO, IDOK) and waits until the box is gone.
void AnswerBox(HWND box, int button);
// Puts text into an edit field as a paste would, or types it over a combo box's field: either
// way the field tells the program that its text changed.
void SetFieldText(HWND field, const std::string& text);
// A click on the up or the down arrow of a spin button.
void ClickSpin(HWND spin, bool up);
// Real input on the X display, as a person gives it: runs xdotool with these arguments
// and waits for it.
void XdoTool(const std::string& arguments);
// A mouse click (button 1 left, 3 right) at a screen point.
void RealClick(POINT at, int button);
// The middle of a list's item, in screen coordinates.
POINT ItemPoint(HWND list, int index);
// The middle of a window, in screen coordinates.
POINT MiddleOf(HWND window);

} // namespace e2e
