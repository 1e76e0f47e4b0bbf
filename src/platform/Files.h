#pragma once

#include <string>

namespace port {

class Files {
  public:
    virtual ~Files() = default;
    // The user's temporary folder with its trailing backslash, or "" when unknown.
    [[nodiscard]] virtual std::string TempPath() = 0;
    // Creates one folder; false when it exists already or cannot be made.
    virtual bool MakeDirectory(const std::string& path) = 0;
};

} // namespace port
