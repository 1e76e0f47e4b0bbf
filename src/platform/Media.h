#pragma once

namespace port {

// Multimedia command strings and network-drive connections.
class Media {
  public:
    virtual ~Media() = default;
};

} // namespace port
