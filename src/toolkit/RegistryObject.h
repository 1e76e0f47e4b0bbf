#pragma once

#include "platform/Registry.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tk {

// The toolkit's registry object: one root, at most one open key, and the
// toolkit's errors for a wrong value type or a refused write.
class RegistryObject {
  public:
    RegistryObject(port::Registry& registry, port::RegRoot root,
                   port::RegView view = port::RegView::Own);

    // Opens a key for reading and writing, creating it when `canCreate`.
    bool OpenKey(const std::string& path, bool canCreate);
    bool OpenKeyReadOnly(const std::string& path);
    void CloseKey() { key_.reset(); }
    [[nodiscard]] bool KeyOpen() const { return key_ != nullptr; }

    [[nodiscard]] bool ValueExists(const std::string& name);
    // Raises "Invalid data type for '%s'" unless the value is a DWORD.
    [[nodiscard]] int ReadInteger(const std::string& name);
    // Raises "Invalid data type for '%s'" unless the value is a string.
    [[nodiscard]] std::string ReadString(const std::string& name);
    // Raise "Failed to set data for '%s'" when the write is refused.
    void WriteInteger(const std::string& name, int value);
    void WriteBool(const std::string& name, bool value) { WriteInteger(name, value ? 1 : 0); }
    void WriteString(const std::string& name, const std::string& value);
    void WriteBinaryData(const std::string& name, const std::vector<std::uint8_t>& data);
    bool DeleteValue(const std::string& name);
    [[nodiscard]] std::vector<std::string> GetValueNames();
    // Every value of the open key with its data; none when no key is open.
    [[nodiscard]] std::vector<port::NamedValue> GetValues();

  private:
    port::Registry& registry_;
    port::RegRoot root_;
    port::RegView view_;
    std::unique_ptr<port::RegistryKey> key_;
};

} // namespace tk
