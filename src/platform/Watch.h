#pragma once

#include "platform/Registry.h"

#include <functional>
#include <string>
#include <vector>

namespace port {

struct WatchedKey {
    RegRoot root = RegRoot::CurrentUser;
    RegView view = RegView::Bits64;
    std::string path;
};

// Registry keys and folders watched by one thread of their own, apart from every other background
// work: a watcher lives as long as the program and would hold a worker for good.
class KeyWatch {
  public:
    virtual ~KeyWatch() = default;
    // Starts watching the keys and the folders' files (a missing key or folder through the
    // nearest parent there is), in place of what was watched before. `reread` runs on the watcher's
    // thread once at the start and once after each change (changes within a second of the first
    // come as one), and the function it returns runs on the window's thread, as a message between
    // other messages.
    virtual void Start(std::vector<WatchedKey> keys, std::vector<std::string> folders,
                       std::function<std::function<void()>()> reread) = 0;
    // Stops the thread and waits for it; a continuation not run yet never runs.
    virtual void Stop() = 0;
};

} // namespace port
