#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace port {

class Files {
  public:
    virtual ~Files() = default;
    // The user's temporary folder with its trailing backslash, or "" when unknown.
    [[nodiscard]] virtual std::string TempPath() = 0;
    // Creates one folder; false when it exists already or cannot be made.
    virtual bool MakeDirectory(const std::string& path) = 0;

    // The user's folder for the local data of programs (%LOCALAPPDATA%), without a trailing
    // backslash; "" when the system does not name one.
    [[nodiscard]] virtual std::string LocalAppDataPath() = 0;
    // Appends `bytes` to a file, made when missing; `header` goes first when the file is new
    // or empty. False with the system's reason when the file cannot be opened or written.
    virtual bool AppendToFile(const std::string& path, const std::vector<std::uint8_t>& header,
                              const std::vector<std::uint8_t>& bytes, std::string& reason) = 0;
};

} // namespace port
