#pragma once

namespace port {

class Power {
  public:
    virtual ~Power() = default;
};

} // namespace port
