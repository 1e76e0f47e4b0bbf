#pragma once

#include "platform/Registry.h"
#include "platform/win32/Handle.h"

namespace win32 {

// The access flag that opens a key in the view named; none for the program's own view.
REGSAM ViewFlag(port::RegView view);

// One open key; the handle closes with the object.
class Win32RegistryKey : public port::RegistryKey {
  public:
    explicit Win32RegistryKey(UniqueKey key) : key_(std::move(key)) {}
    // RegQueryValueExW without data: true when the value is there and readable.
    bool ValueExists(const std::string& name) override;
    // RegQueryValueExW: strings as UTF-8, REG_MULTI_SZ joined by '\0', numbers from DWORD and
    // QWORD, and the stored bytes and type of every value; nullopt when missing or unreadable.
    std::optional<port::RegValue> ReadValue(const std::string& name) override;
    // RegSetValueExW as REG_DWORD / REG_SZ; false when refused (a key opened read-only).
    bool WriteDWord(const std::string& name, std::uint32_t value) override;
    bool WriteString(const std::string& name, const std::string& value) override;
    // RegSetValueExW as REG_BINARY, the bytes as given; false when refused.
    bool WriteBinary(const std::string& name, const std::vector<std::uint8_t>& data) override;
    // RegDeleteValueW; false when the value is missing or the deletion refused.
    bool DeleteValue(const std::string& name) override;
    // RegEnumValueW over every value, in the registry's order; names of any length.
    std::vector<std::string> ValueNames() override;
    // RegEnumValueW with the data, decoded as ReadValue does; data of any size.
    std::vector<port::NamedValue> Values() override;

  private:
    UniqueKey key_;
};

class Win32Registry : public port::Registry {
  public:
    using port::Registry::Open;
    // RegCreateKeyExW (create) or RegOpenKeyExW with KEY_READ, plus KEY_WRITE when writable
    // and KEY_WOW64_32KEY or KEY_WOW64_64KEY for a named view; nullptr when the system refuses.
    std::unique_ptr<port::RegistryKey> Open(port::RegRoot root, const std::string& path,
                                            bool create, bool writable,
                                            port::RegView view) override;
};

} // namespace win32
