#pragma once

// Registry keys watched with RegNotifyChangeKeyValue and folders with
// FindFirstChangeNotificationW by one thread of the watcher's own;
// rereads are posted to the thread that made this object (the window's thread) through a
// message-only window.

#include "platform/Watch.h"
#include "platform/win32/Handle.h"

#include <thread>

namespace win32 {

class Win32KeyWatch : public port::KeyWatch {
  public:
    Win32KeyWatch();
    ~Win32KeyWatch() override;
    Win32KeyWatch(const Win32KeyWatch&) = delete;
    Win32KeyWatch& operator=(const Win32KeyWatch&) = delete;

    // Without the message window (none could be made) nothing is watched.
    void Start(std::vector<port::WatchedKey> keys, std::vector<std::string> folders,
               std::function<std::function<void()>()> reread) override;
    void Stop() override;

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Continuations posted but not run: dropped, as nothing may run after Stop.
    void DropPosted();

    UniqueWindow window_;
    UniqueHandle stop_;
    std::thread thread_;
};

} // namespace win32
