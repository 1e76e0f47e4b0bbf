#include "fakes/Fakes.h"

#include <cstdio>

namespace fakes {

namespace {

class FakeKey : public port::RegistryKey {
  public:
    FakeKey(FakeRegistry& registry, FakeRegistry::Key& key, bool writable)
        : registry_(registry), key_(key), writable_(writable) {}

    bool ValueExists(const std::string& name) override { return Find(name) != nullptr; }

    std::optional<port::RegValue> ReadValue(const std::string& name) override {
        const port::RegValue* v = Find(name);
        return v ? std::optional<port::RegValue>(*v) : std::nullopt;
    }

    bool WriteDWord(const std::string& name, std::uint32_t value) override {
        return Write(name, RegDWord(value));
    }

    bool WriteString(const std::string& name, const std::string& value) override {
        return Write(name, RegString(value));
    }

    bool WriteBinary(const std::string& name, const std::vector<std::uint8_t>& data) override {
        return Write(name, RegBinary(data));
    }

    bool DeleteValue(const std::string& name) override {
        if (!writable_ || key_.refuseWrites || !Whole(name))
            return false;
        auto& values = key_.values;
        auto it = std::find_if(values.begin(), values.end(),
                               [&](const auto& entry) { return Same(entry.first, name); });
        if (it == values.end())
            return false;
        values.erase(it);
        return true;
    }

    std::vector<std::string> ValueNames() override {
        std::vector<std::string> names;
        for (const auto& entry : key_.values)
            names.push_back(entry.first);
        return names;
    }

    std::vector<port::NamedValue> Values() override {
        std::vector<port::NamedValue> values;
        for (const auto& [name, value] : key_.values)
            values.push_back({name, value});
        return values;
    }

  private:
    static bool Same(const std::string& a, const std::string& b) {
        return FakeRegistry::KeyName(port::RegRoot::CurrentUser, a) ==
               FakeRegistry::KeyName(port::RegRoot::CurrentUser, b);
    }

    // As the real registry port: a name holding a NUL is refused by every call that takes one.
    static bool Whole(const std::string& name) { return name.find('\0') == std::string::npos; }

    port::RegValue* Find(const std::string& name) {
        if (!Whole(name))
            return nullptr;
        for (auto& entry : key_.values)
            if (Same(entry.first, name))
                return &entry.second;
        return nullptr;
    }

    bool Write(const std::string& name, const port::RegValue& value) {
        if (!writable_ || key_.refuseWrites || !Whole(name))
            return false;
        ++registry_.writes;
        if (port::RegValue* existing = Find(name))
            *existing = value;
        else
            key_.values.emplace_back(name, value);
        return true;
    }

    FakeRegistry& registry_;
    FakeRegistry::Key& key_;
    bool writable_;
};

// UTF-16LE code units of UTF-8 text, as the registry stores strings.
void AppendUtf16(std::vector<std::uint8_t>& out, const std::string& text) {
    const auto unit = [&](std::uint32_t u) {
        out.push_back(static_cast<std::uint8_t>(u & 0xFF));
        out.push_back(static_cast<std::uint8_t>(u >> 8));
    };
    for (size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        std::uint32_t code = length == 1 ? lead : lead & (0x3Fu >> (length - 1));
        for (int k = 1; k < length && i + static_cast<size_t>(k) < text.size(); ++k)
            code = (code << 6) |
                   (static_cast<unsigned char>(text[i + static_cast<size_t>(k)]) & 0x3Fu);
        i += static_cast<size_t>(length);
        if (code >= 0x10000) {
            unit(0xD800 + ((code - 0x10000) >> 10));
            unit(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            unit(code);
        }
    }
}

} // namespace

port::RegValue RegString(const std::string& text, port::RegType type) {
    port::RegValue v;
    v.type = type;
    v.rawType = type == port::RegType::ExpandString ? 2 : 1;
    v.text = text.substr(0, text.find('\0'));
    AppendUtf16(v.bytes, text);
    v.bytes.insert(v.bytes.end(), {0, 0});
    return v;
}

port::RegValue RegDWord(std::uint32_t number) {
    port::RegValue v;
    v.type = port::RegType::DWord;
    v.rawType = 4;
    v.number = number;
    for (int shift = 0; shift < 32; shift += 8)
        v.bytes.push_back(static_cast<std::uint8_t>(number >> shift));
    return v;
}

port::RegValue RegBinary(std::vector<std::uint8_t> bytes) {
    return RegRaw(port::RegType::Binary, 3, std::move(bytes));
}

port::RegValue RegRaw(port::RegType type, std::uint32_t rawType, std::vector<std::uint8_t> bytes) {
    port::RegValue v;
    v.type = type;
    v.rawType = rawType;
    v.bytes = std::move(bytes);
    return v;
}

std::unique_ptr<port::RegistryKey> FakeRegistry::Open(port::RegRoot root, const std::string& path,
                                                      bool create, bool writable,
                                                      port::RegView view) {
    std::string name = KeyName(root, path);
    const std::string software = KeyName(port::RegRoot::LocalMachine, "SOFTWARE\\");
    if (view == port::RegView::Bits32 && name.rfind(software, 0) == 0)
        name = software + "wow6432node\\" + name.substr(software.size());
    auto it = keys.find(name);
    if (it == keys.end()) {
        if (!create || refuseCreate.count(name) != 0)
            return nullptr;
        it = keys.emplace(name, Key{}).first;
    }
    if (writable && it->second.readOnly)
        return nullptr;
    return std::make_unique<FakeKey>(*this, it->second, writable);
}

std::optional<port::RegValue> FakeRegistry::Get(port::RegRoot root, const std::string& path,
                                                const std::string& name) const {
    auto it = keys.find(KeyName(root, path));
    if (it == keys.end())
        return std::nullopt;
    for (const auto& entry : it->second.values)
        if (KeyName(root, entry.first) == KeyName(root, name))
            return entry.second;
    return std::nullopt;
}

void FakeRegistry::SetDWord(port::RegRoot root, const std::string& path, const std::string& name,
                            std::uint32_t value) {
    auto key = Open(root, path, true, true);
    (void)key->WriteDWord(name, value);
}

void FakeRegistry::SetString(port::RegRoot root, const std::string& path, const std::string& name,
                             const std::string& value) {
    auto key = Open(root, path, true, true);
    (void)key->WriteString(name, value);
}

std::vector<std::string> FakeRegistry::Names(port::RegRoot root, const std::string& path) const {
    std::vector<std::string> names;
    auto it = keys.find(KeyName(root, path));
    if (it != keys.end())
        for (const auto& entry : it->second.values)
            names.push_back(entry.first);
    return names;
}

// Short date d.MM.yyyy and long time H:mm:ss, as a European locale writes them.
std::string FakeSystem::FormatShortDate(const port::LocalTime& t) {
    char text[32];
    std::snprintf(text, sizeof text, "%d.%02d.%04d", t.day, t.month, t.year);
    return text;
}

std::string FakeSystem::FormatLongTime(const port::LocalTime& t) {
    char text[32];
    std::snprintf(text, sizeof text, "%d:%02d:%02d", t.hour, t.minute, t.second);
    return text;
}

} // namespace fakes
