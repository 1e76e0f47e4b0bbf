#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace port {

enum class RegRoot { CurrentUser, LocalMachine };

// Which view of the registry a key is opened in. 64-bit Windows keeps two views of
// HKLM\SOFTWARE: Own is the running program's (the 64-bit one for the 64-bit build),
// Bits32 and Bits64 name one of them whatever the build.
enum class RegView { Own, Bits32, Bits64 };

// Value types as the registry reports them; Other covers every type the program
// does not distinguish.
enum class RegType { None, String, ExpandString, Binary, DWord, MultiString, QWord, Other };

// A value as read: what the program makes of it, and the data exactly as stored.
struct RegValue {
    RegType type = RegType::None;
    // DWord, QWord; data shorter than the type's width reads zero-extended.
    std::uint64_t number = 0;
    // String and ExpandString up to the first NUL, MultiString joined by '\0'; a trailing
    // odd byte is no character and is left out.
    std::string text;
    std::vector<std::uint8_t> bytes; // the stored data, of every type
    std::uint32_t rawType = 0;       // the stored type number (1 for REG_SZ, ...)
};

struct NamedValue {
    std::string name;
    RegValue value;
};

// One open registry key. Closing happens when the object is destroyed.
// A value is always named by its whole name: a name holding a NUL is refused by every method
// that takes one (false, nullopt), never cut at its NUL. Listings give names whole, NULs kept.
class RegistryKey {
  public:
    virtual ~RegistryKey() = default;
    [[nodiscard]] virtual bool ValueExists(const std::string& name) = 0;
    // nullopt when the value is missing or cannot be read.
    [[nodiscard]] virtual std::optional<RegValue> ReadValue(const std::string& name) = 0;
    [[nodiscard]] virtual bool WriteDWord(const std::string& name, std::uint32_t value) = 0;
    [[nodiscard]] virtual bool WriteString(const std::string& name, const std::string& value) = 0;
    [[nodiscard]] virtual bool WriteBinary(const std::string& name,
                                           const std::vector<std::uint8_t>& data) = 0;
    [[nodiscard]] virtual bool DeleteValue(const std::string& name) = 0;
    [[nodiscard]] virtual std::vector<std::string> ValueNames() = 0;
    // Every value with its data, in the registry's order.
    [[nodiscard]] virtual std::vector<NamedValue> Values() = 0;
};

class Registry {
  public:
    virtual ~Registry() = default;
    // nullptr when the key cannot be opened (or created, with create = true).
    // A key opened without write access refuses every write.
    [[nodiscard]] virtual std::unique_ptr<RegistryKey>
    Open(RegRoot root, const std::string& path, bool create, bool writable, RegView view) = 0;
    // The same in the program's own view.
    [[nodiscard]] std::unique_ptr<RegistryKey> Open(RegRoot root, const std::string& path,
                                                    bool create, bool writable) {
        return Open(root, path, create, writable, RegView::Own);
    }
};

} // namespace port
