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
        port::RegValue v;
        v.type = port::RegType::DWord;
        v.number = value;
        return Write(name, v);
    }

    bool WriteString(const std::string& name, const std::string& value) override {
        port::RegValue v;
        v.type = port::RegType::String;
        v.text = value;
        return Write(name, v);
    }

    bool DeleteValue(const std::string& name) override {
        if (!writable_ || key_.refuseWrites)
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

  private:
    static bool Same(const std::string& a, const std::string& b) {
        return FakeRegistry::KeyName(port::RegRoot::CurrentUser, a) ==
               FakeRegistry::KeyName(port::RegRoot::CurrentUser, b);
    }

    port::RegValue* Find(const std::string& name) {
        for (auto& entry : key_.values)
            if (Same(entry.first, name))
                return &entry.second;
        return nullptr;
    }

    bool Write(const std::string& name, const port::RegValue& value) {
        if (!writable_ || key_.refuseWrites)
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

} // namespace

std::unique_ptr<port::RegistryKey> FakeRegistry::Open(port::RegRoot root, const std::string& path,
                                                      bool create, bool writable) {
    std::string name = KeyName(root, path);
    auto it = keys.find(name);
    if (it == keys.end()) {
        if (!create || refuseCreate.count(name) != 0)
            return nullptr;
        it = keys.emplace(name, Key{}).first;
    }
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
