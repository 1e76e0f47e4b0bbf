#pragma once

// In-memory ports: the whole program runs on these in the native tests.

#include "platform/Ports.h"

#include <algorithm>
#include <cctype>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace fakes {

// ---- Registry ----

class FakeRegistry : public port::Registry {
  public:
    using Values = std::vector<std::pair<std::string, port::RegValue>>;

    struct Key {
        Values values;
        bool refuseWrites = false;
    };

    std::unique_ptr<port::RegistryKey> Open(port::RegRoot root, const std::string& path,
                                            bool create, bool writable) override;

    // Test helpers. Names of keys are compared without regard to case, as Windows does.
    [[nodiscard]] bool HasKey(port::RegRoot root, const std::string& path) const {
        return keys.count(KeyName(root, path)) != 0;
    }
    Key& At(port::RegRoot root, const std::string& path) { return keys[KeyName(root, path)]; }
    [[nodiscard]] std::optional<port::RegValue> Get(port::RegRoot root, const std::string& path,
                                                    const std::string& name) const;
    void SetDWord(port::RegRoot root, const std::string& path, const std::string& name,
                  std::uint32_t value);
    void SetString(port::RegRoot root, const std::string& path, const std::string& name,
                   const std::string& value);
    // The value names of a key in the order they were first written.
    [[nodiscard]] std::vector<std::string> Names(port::RegRoot root, const std::string& path) const;

    // Keys that cannot be created (a policy, a full registry).
    std::set<std::string> refuseCreate;
    int writes = 0;

    static std::string KeyName(port::RegRoot root, const std::string& path) {
        std::string name = root == port::RegRoot::CurrentUser ? "HKCU\\" : "HKLM\\";
        for (char c : path)
            name += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return name;
    }

    std::map<std::string, Key> keys;
};

// ---- Desktop: message boxes, cursor, keyboard ----

struct ShownBox {
    std::string text;
    std::string caption;
    unsigned flags;
};

class FakeDesktop : public port::Desktop {
  public:
    int MessageBox(const std::string& text, const std::string& caption, unsigned flags) override {
        boxes.push_back({text, caption, flags});
        if (whileBoxOpen)
            whileBoxOpen();
        if (answers.empty())
            return (flags & port::mb::YesNo) ? port::mb::IdNo : port::mb::IdOk;
        int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    port::Point CursorPos() override { return cursor; }
    port::ModifierKeys KeyState() override { return keys; }
    std::vector<port::Rect> WorkAreas() override { return workAreas; }
    int TitleBarHeight() override { return titleBarHeight; }

    std::vector<ShownBox> boxes;
    std::deque<int> answers;
    // Runs while a box is open: messages keep being dispatched under a modal box.
    std::function<void()> whileBoxOpen;
    port::Point cursor{500, 700};
    port::ModifierKeys keys;
    std::vector<port::Rect> workAreas{{0, 0, 1920, 1040}};
    int titleBarHeight = 30;
};

// ---- Tray ----

class FakeTray : public port::Tray {
  public:
    void CreateMessageWindow(std::function<std::intptr_t(const port::TrayMessage&)> h) override {
        handler = std::move(h);
    }
    bool Add(const port::NotifyIconData& data) override {
        calls.push_back("add");
        added.push_back(data);
        if (!addSucceeds)
            return false;
        shown = true;
        current = data;
        return true;
    }
    bool Modify(const port::NotifyIconData& data) override {
        calls.push_back("modify");
        current = data;
        return shown;
    }
    bool Delete() override {
        calls.push_back("delete");
        shown = false;
        return true;
    }
    void SetForeground() override { calls.push_back("foreground"); }

    std::intptr_t Send(unsigned message, std::uintptr_t wParam = 0, std::intptr_t lParam = 0) {
        return handler({message, wParam, lParam});
    }
    // A mouse message arriving through the icon's callback.
    void Mouse(unsigned mouseMessage) { Send(1025, 0, static_cast<std::intptr_t>(mouseMessage)); }
    [[nodiscard]] int Count(const std::string& call) const {
        return static_cast<int>(std::count(calls.begin(), calls.end(), call));
    }

    std::function<std::intptr_t(const port::TrayMessage&)> handler;
    std::vector<std::string> calls;
    port::NotifyIconData current;
    std::vector<port::NotifyIconData> added;
    bool shown = false;
    bool addSucceeds = true;
};

// ---- Bitmaps ----

class FakeImage : public port::Image {
  public:
    FakeImage(std::string path, int w, int h) : path(std::move(path)), w(w), h(h) {}
    int Width() const override { return w; }
    int Height() const override { return h; }
    std::string path;
    int w, h;
};

class FakeBitmaps : public port::Bitmaps {
  public:
    std::shared_ptr<const port::Image> LoadFile(const std::string& path,
                                                std::string& reason) override {
        loads.push_back(path);
        for (const std::string& m : missing)
            if (path.size() >= m.size() && path.compare(path.size() - m.size(), m.size(), m) == 0) {
                reason = "The system cannot find the file specified";
                return nullptr;
            }
        return std::make_shared<FakeImage>(path, 24, 24);
    }
    std::shared_ptr<const port::Image> LoadBuiltIn(const std::string& name) override {
        return std::make_shared<FakeImage>(name, 24, 24);
    }
    // File names (or path endings) that cannot be read.
    std::vector<std::string> missing;
    std::vector<std::string> loads;
};

// ---- System information ----

class FakeSystem : public port::System {
  public:
    std::string ExecutablePath() override { return exePath; }
    port::LocalTime Now() override { return now; }
    std::string DecimalSeparator() override { return decimalSeparator; }
    std::string FormatShortDate(const port::LocalTime& t) override;
    std::string FormatLongTime(const port::LocalTime& t) override;
    port::MemoryStatus Memory() override { return memory; }
    std::uint64_t TickCount() override { return tickCount; }

    std::string exePath = "C:\\Program Files\\Trelvix\\trelvix.exe";
    port::LocalTime now{2026, 12, 6, 9, 5, 7, 0, 0};
    std::string decimalSeparator = ",";
    port::MemoryStatus memory;
    std::uint64_t tickCount = 0;
};

// ---- Files, shell, drives and the rest ----

class FakeFiles : public port::Files {
  public:
    std::string TempPath() override { return tempPath; }
    bool CreateDirectory(const std::string& path) override {
        created.push_back(path);
        return folders.insert(path).second;
    }
    std::string tempPath = "C:\\Users\\user\\AppData\\Local\\Temp\\";
    std::set<std::string> folders;
    std::vector<std::string> created;
};

struct ShellOpen {
    std::string file;
    std::optional<std::string> parameters;
    int show;
};

struct CommandLine {
    std::string line;
    int show;
};

class FakeShell : public port::Shell {
  public:
    std::string SystemDirectory() override { return systemDirectory; }
    bool Open(const std::string& file, const std::optional<std::string>& parameters,
              int show) override {
        opens.push_back({file, parameters, show});
        return true;
    }
    bool RunCommandLine(const std::string& line, int show) override {
        commandLines.push_back({line, show});
        return true;
    }
    std::string systemDirectory = "C:\\WINDOWS\\system32";
    std::vector<ShellOpen> opens;
    std::vector<CommandLine> commandLines;
};

struct FakeDrive {
    port::DriveType type = port::DriveType::Fixed;
    port::VolumeInfo volume{true, "", "NTFS"};
    port::DiskSpace space{0, 0};
};

// One query of the drives port, as the fake saw it.
struct DriveCall {
    std::string what; // "Type", "Volume", "FreeSpace", "IconIndex", "LogicalDrives"
    char letter;      // ' ' for LogicalDrives
    bool suppressed;  // critical-error boxes were off at the time
};

class FakeDrives : public port::Drives {
  public:
    port::DriveType Type(char letter) override {
        Record("Type", letter);
        auto it = drives.find(letter);
        return it == drives.end() ? port::DriveType::NoRootDir : it->second.type;
    }
    port::VolumeInfo Volume(char letter) override {
        Record("Volume", letter);
        auto it = drives.find(letter);
        return it == drives.end() ? port::VolumeInfo{} : it->second.volume;
    }
    port::DiskSpace FreeSpace(char letter) override {
        Record("FreeSpace", letter);
        auto it = drives.find(letter);
        return it == drives.end() ? port::DiskSpace{} : it->second.space;
    }
    std::uint32_t LogicalDrives() override {
        Record("LogicalDrives", ' ');
        std::uint32_t mask = 0;
        for (const auto& [letter, drive] : drives)
            mask |= 1u << (letter - 'A');
        return mask;
    }
    int IconIndex(char letter) override {
        Record("IconIndex", letter);
        return letter - 'A';
    }
    void SuppressCriticalErrors(bool suppress) override { suppressed = suppress; }
    // How often `what` was asked about `letter`.
    [[nodiscard]] int Count(const std::string& what, char letter) const {
        return static_cast<int>(std::count_if(calls.begin(), calls.end(), [&](const DriveCall& c) {
            return c.what == what && c.letter == letter;
        }));
    }
    std::map<char, FakeDrive> drives;
    bool suppressed = false;
    std::vector<DriveCall> calls;

  private:
    void Record(const char* what, char letter) { calls.push_back({what, letter, suppressed}); }
};

class FakePower : public port::Power {};
class FakeMedia : public port::Media {};

// All fakes together, and the ports over them.
struct FakePorts {
    FakeRegistry registry;
    FakeDrives drives;
    FakeFiles files;
    FakeShell shell;
    FakePower power;
    FakeTray tray;
    FakeMedia media;
    FakeSystem system;
    FakeDesktop desktop;
    FakeBitmaps bitmaps;
    port::Ports ports{registry, drives, files, shell, power, tray, media, system, desktop, bitmaps};
};

} // namespace fakes
