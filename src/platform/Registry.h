#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace port {

enum class RegRoot { CurrentUser, LocalMachine };

// Value types as the registry reports them; Other covers every type the program
// does not distinguish.
enum class RegType { None, String, ExpandString, Binary, DWord, MultiString, QWord, Other };

struct RegValue {
    RegType type = RegType::None;
    std::uint64_t number = 0;        // DWord, QWord
    std::string text;                // String, ExpandString; MultiString joined by '\0'
    std::vector<std::uint8_t> bytes; // raw data for Binary and Other
};

// One open registry key. Closing happens when the object is destroyed.
class RegistryKey {
  public:
    virtual ~RegistryKey() = default;
    [[nodiscard]] virtual bool ValueExists(const std::string& name) = 0;
    // nullopt when the value is missing or cannot be read.
    [[nodiscard]] virtual std::optional<RegValue> ReadValue(const std::string& name) = 0;
    [[nodiscard]] virtual bool WriteDWord(const std::string& name, std::uint32_t value) = 0;
    [[nodiscard]] virtual bool WriteString(const std::string& name, const std::string& value) = 0;
    [[nodiscard]] virtual bool DeleteValue(const std::string& name) = 0;
    [[nodiscard]] virtual std::vector<std::string> ValueNames() = 0;
};

class Registry {
  public:
    virtual ~Registry() = default;
    // nullptr when the key cannot be opened (or created, with create = true).
    // A key opened without write access refuses every write.
    [[nodiscard]] virtual std::unique_ptr<RegistryKey> Open(RegRoot root, const std::string& path,
                                                            bool create, bool writable) = 0;
};

} // namespace port
