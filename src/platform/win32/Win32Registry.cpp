#include "platform/win32/Win32Registry.h"

#include "platform/win32/Unicode.h"

#include <algorithm>
#include <cstring>

namespace win32 {

namespace {

// Registry string data as stored: any byte count, with or without terminators.
std::wstring WideData(const std::vector<std::uint8_t>& bytes) {
    std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
    if (!text.empty())
        std::memcpy(text.data(), bytes.data(), text.size() * sizeof(wchar_t));
    return text;
}

std::string SingleString(const std::vector<std::uint8_t>& bytes) {
    std::wstring text = WideData(bytes);
    text.resize(std::wcslen(text.c_str()));
    return Narrow(text);
}

// The strings up to the first empty one (the list's end), joined by '\0'.
std::string MultiString(const std::vector<std::uint8_t>& bytes) {
    const std::wstring data = WideData(bytes);
    std::string joined;
    bool first = true;
    for (size_t at = 0; at < data.size();) {
        const size_t end = std::min(data.find(L'\0', at), data.size());
        if (end == at)
            break;
        if (!first)
            joined.push_back('\0');
        joined += Narrow(data.substr(at, end - at));
        first = false;
        at = end + 1;
    }
    return joined;
}

// Little-endian, as the registry stores numbers; shorter data reads as zero-extended.
std::uint64_t Number(const std::vector<std::uint8_t>& bytes, size_t width) {
    std::uint64_t value = 0;
    for (size_t i = std::min(bytes.size(), width); i-- > 0;)
        value = (value << 8) | bytes[i];
    return value;
}

port::RegValue Decode(DWORD type, std::vector<std::uint8_t> bytes) {
    port::RegValue value;
    value.rawType = type;
    switch (type) {
    case REG_SZ:
        value.type = port::RegType::String;
        value.text = SingleString(bytes);
        break;
    case REG_EXPAND_SZ:
        value.type = port::RegType::ExpandString;
        value.text = SingleString(bytes);
        break;
    case REG_MULTI_SZ:
        value.type = port::RegType::MultiString;
        value.text = MultiString(bytes);
        break;
    case REG_DWORD:
        value.type = port::RegType::DWord;
        value.number = Number(bytes, 4);
        break;
    case REG_QWORD:
        value.type = port::RegType::QWord;
        value.number = Number(bytes, 8);
        break;
    case REG_BINARY:
        value.type = port::RegType::Binary;
        break;
    case REG_NONE:
        value.type = port::RegType::None;
        break;
    default:
        value.type = port::RegType::Other;
        break;
    }
    value.bytes = std::move(bytes);
    return value;
}

// The registry's calls take names as NUL-terminated text: a name holding a NUL would reach
// them cut there and name another value (or the key's default value).
// How often a value that keeps growing while it is read is read again.
constexpr int MaxRereads = 8;

bool Whole(const std::string& name) {
    return name.find('\0') == std::string::npos;
}

} // namespace

REGSAM ViewFlag(port::RegView view) {
    switch (view) {
    case port::RegView::Bits32:
        return KEY_WOW64_32KEY;
    case port::RegView::Bits64:
        return KEY_WOW64_64KEY;
    case port::RegView::Own:
        break;
    }
    return 0;
}

bool Win32RegistryKey::ValueExists(const std::string& name) {
    return Whole(name) && RegQueryValueExW(key_.get(), Widen(name).c_str(), nullptr, nullptr,
                                           nullptr, nullptr) == ERROR_SUCCESS;
}

std::optional<port::RegValue> Win32RegistryKey::ReadValue(const std::string& name) {
    if (!Whole(name))
        return std::nullopt;
    const std::wstring wide = Widen(name);
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (RegQueryValueExW(key_.get(), wide.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    // Always a buffer, never a null pointer: given none, the call succeeds with the size alone,
    // and a value that grew from empty would read as zeros. A value that grows between the
    // calls says so (ERROR_MORE_DATA) with its new size: read it again.
    for (int attempt = 0; attempt < MaxRereads; ++attempt) {
        std::vector<std::uint8_t> bytes(std::max<DWORD>(size, 1));
        size = static_cast<DWORD>(bytes.size());
        const LSTATUS status =
            RegQueryValueExW(key_.get(), wide.c_str(), nullptr, &type, bytes.data(), &size);
        if (status == ERROR_SUCCESS && size <= bytes.size()) {
            bytes.resize(size);
            return Decode(type, std::move(bytes));
        }
        if (status != ERROR_SUCCESS && status != ERROR_MORE_DATA)
            return std::nullopt;
    }
    return std::nullopt;
}

bool Win32RegistryKey::WriteDWord(const std::string& name, std::uint32_t value) {
    if (!Whole(name))
        return false;
    const DWORD data = value;
    return RegSetValueExW(key_.get(), Widen(name).c_str(), 0, REG_DWORD,
                          reinterpret_cast<const BYTE*>(&data), sizeof data) == ERROR_SUCCESS;
}

bool Win32RegistryKey::WriteString(const std::string& name, const std::string& value) {
    if (!Whole(name))
        return false;
    const std::wstring data = Widen(value);
    // The terminator is part of REG_SZ data.
    const auto size = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key_.get(), Widen(name).c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(data.c_str()), size) == ERROR_SUCCESS;
}

bool Win32RegistryKey::WriteBinary(const std::string& name, const std::vector<std::uint8_t>& data) {
    return Whole(name) &&
           RegSetValueExW(key_.get(), Widen(name).c_str(), 0, REG_BINARY, data.data(),
                          static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
}

bool Win32RegistryKey::DeleteValue(const std::string& name) {
    return Whole(name) && RegDeleteValueW(key_.get(), Widen(name).c_str()) == ERROR_SUCCESS;
}

std::vector<std::string> Win32RegistryKey::ValueNames() {
    std::vector<std::string> names;
    // A value name is at most 16383 characters.
    std::wstring name(16384, L'\0');
    for (DWORD index = 0;; ++index) {
        DWORD length = static_cast<DWORD>(name.size());
        const LSTATUS status = RegEnumValueW(key_.get(), index, name.data(), &length, nullptr,
                                             nullptr, nullptr, nullptr);
        if (status != ERROR_SUCCESS)
            break;
        names.push_back(Narrow(name.substr(0, length)));
    }
    return names;
}

std::vector<port::NamedValue> Win32RegistryKey::Values() {
    std::vector<port::NamedValue> values;
    DWORD longestName = 0;
    DWORD largestData = 0;
    if (RegQueryInfoKeyW(key_.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                         &longestName, &largestData, nullptr, nullptr) != ERROR_SUCCESS)
        return values;
    std::wstring name(longestName + 1, L'\0');
    // At least one byte, so the call always has a buffer to fill (see ReadValue).
    std::vector<std::uint8_t> data(std::max<DWORD>(largestData, 1));
    int rereads = 0;
    for (DWORD index = 0;;) {
        DWORD length = static_cast<DWORD>(name.size());
        DWORD size = static_cast<DWORD>(data.size());
        DWORD type = REG_NONE;
        const LSTATUS status = RegEnumValueW(key_.get(), index, name.data(), &length, nullptr,
                                             &type, data.data(), &size);
        const bool fits = length < name.size() && size <= data.size();
        if ((status == ERROR_MORE_DATA || (status == ERROR_SUCCESS && !fits)) &&
            ++rereads <= MaxRereads) {
            // A value was added or grew since the sizes were asked: make room, read it again.
            // A name's size is not reported back: the buffer takes the longest there can be.
            name.resize(16384);
            data.resize(std::max<size_t>(size, data.size() * 2 + 64));
            continue;
        }
        if (status != ERROR_SUCCESS || !fits)
            break;
        values.push_back(
            {Narrow(name.substr(0, length)),
             Decode(type, std::vector<std::uint8_t>(data.begin(), data.begin() + size))});
        ++index;
        rereads = 0;
    }
    return values;
}

std::unique_ptr<port::RegistryKey> Win32Registry::Open(port::RegRoot root, const std::string& path,
                                                       bool create, bool writable,
                                                       port::RegView view) {
    if (!Whole(path))
        return nullptr;
    HKEY parent = root == port::RegRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    const REGSAM access = KEY_READ | (writable ? KEY_WRITE : 0) | ViewFlag(view);
    const std::wstring wide = Widen(path);
    HKEY key = nullptr;
    const LSTATUS status =
        create ? RegCreateKeyExW(parent, wide.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access,
                                 nullptr, &key, nullptr)
               : RegOpenKeyExW(parent, wide.c_str(), 0, access, &key);
    if (status != ERROR_SUCCESS)
        return nullptr;
    return std::make_unique<Win32RegistryKey>(UniqueKey(key));
}

} // namespace win32
