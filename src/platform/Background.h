#pragma once

#include <functional>

namespace port {

// Work off the window's thread. `job` runs elsewhere; `done` runs afterwards on the window's
// thread, as a message between other messages. Jobs may finish in any order; a job never
// touches controls or the program's state, it hands what it found to `done`.
class Background {
  public:
    virtual ~Background() = default;
    virtual void Run(std::function<void()> job, std::function<void()> done) = 0;
};

} // namespace port
