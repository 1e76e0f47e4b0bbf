#pragma once

// In-memory ports: the whole program runs on these in the native tests.

#include "fakes/FakeFiles.h"
#include "platform/Background.h"
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
        // Opens for reading only, as a per-machine key does for a user without
        // administrator rights: an open with write access fails.
        bool readOnly = false;
    };

    using port::Registry::Open;
    // The program is taken as a 64-bit one: its own view is the 64-bit view, and the 32-bit
    // view of HKLM\SOFTWARE is the key WOW6432Node beneath it, as on Windows.
    std::unique_ptr<port::RegistryKey> Open(port::RegRoot root, const std::string& path,
                                            bool create, bool writable,
                                            port::RegView view) override;

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
    // Appends a value as given, whatever its data, beside any of the same name.
    void Put(port::RegRoot root, const std::string& path, const std::string& name,
             const port::RegValue& value) {
        At(root, path).values.emplace_back(name, value);
    }

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

// Registry values as Windows stores them, for tests.
port::RegValue RegString(const std::string& text, port::RegType type = port::RegType::String);
port::RegValue RegDWord(std::uint32_t number);
port::RegValue RegBinary(std::vector<std::uint8_t> bytes);
// Any other type: the stored type number and data, nothing decoded.
port::RegValue RegRaw(port::RegType type, std::uint32_t rawType, std::vector<std::uint8_t> bytes);

// ---- Desktop: message boxes, cursor, keyboard ----

struct ShownBox {
    std::string text;
    std::string caption;
    unsigned flags;
    bool operator==(const ShownBox&) const = default;
};

class FakeDesktop : public port::Desktop {
  public:
    int ShowMessageBox(const std::string& text, const std::string& caption,
                       unsigned flags) override {
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
    std::vector<port::Rect> WorkAreas() override { return {{0, 0, 1920, 1040}}; }
    int TitleBarHeight() override { return 30; }
    unsigned DoubleClickTime() override { return doubleClickTime; }
    // The messages of the boxes shown so far.
    [[nodiscard]] std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const ShownBox& box : boxes)
            texts.push_back(box.text);
        return texts;
    }

    std::vector<ShownBox> boxes;
    std::deque<int> answers;
    // Runs while a box is open: messages keep being dispatched under a modal box.
    std::function<void()> whileBoxOpen;
    port::Point cursor{500, 700};
    port::ModifierKeys keys;
    unsigned doubleClickTime = 500;
};

// ---- Tray ----

class FakeTray : public port::Tray {
  public:
    void CreateMessageWindow(std::function<void(const port::TrayEvent&)> onEvent,
                             std::function<void()> onError) override {
        eventHandler = std::move(onEvent);
        errorHandler = std::move(onError);
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
    bool ShowBalloon(const std::string& title, const std::string& text, port::BalloonIcon icon,
                     const std::string& tag) override {
        calls.push_back("balloon");
        if (!shown || !balloonSucceeds)
            return false;
        balloons.push_back({title, text, icon, tag});
        return true;
    }

    // An event arriving at the hidden window; what the handler throws goes where the real
    // window procedure sends it.
    void Send(port::TrayEvent event) {
        try {
            eventHandler(event);
        } catch (...) {
            errorHandler();
        }
    }
    void Send(port::TrayEvent::Kind kind, port::MouseButton button = port::MouseButton::Left) {
        Send(port::TrayEvent{kind, button});
    }
    [[nodiscard]] int Count(const std::string& call) const {
        return static_cast<int>(std::count(calls.begin(), calls.end(), call));
    }

    std::function<void(const port::TrayEvent&)> eventHandler;
    std::function<void()> errorHandler;
    std::vector<std::string> calls;
    port::NotifyIconData current;
    std::vector<port::NotifyIconData> added;
    bool shown = false;
    bool addSucceeds = true;
    struct Balloon {
        std::string title, text;
        port::BalloonIcon icon = port::BalloonIcon::None;
        std::string tag;
    };
    // The balloons the shell took, oldest first.
    std::vector<Balloon> balloons;
    bool balloonSucceeds = true;
};

// ---- Bitmaps ----

// A picture with these pixels; 24 x 24 and grey when none are given.
class FakeImage : public port::Image {
  public:
    explicit FakeImage(port::RgbPixels pixels = {24, 24,
                                                 std::vector<std::uint8_t>(24 * 24 * 3, 0x80)})
        : pixels(std::move(pixels)) {}
    int Width() const override { return pixels.width; }
    int Height() const override { return pixels.height; }
    port::RgbPixels Pixels() const override { return pixels; }
    port::RgbPixels pixels;
};

class FakeBitmaps : public port::Bitmaps {
  public:
    std::shared_ptr<const port::Image> LoadFile(const std::string& path,
                                                std::string& reason) override {
        loads.push_back(path);
        if (std::ranges::any_of(missing, [&](const std::string& m) { return path.ends_with(m); })) {
            reason = "The system cannot find the file specified";
            return nullptr;
        }
        for (const auto& [ending, picture] : pictures)
            if (path.ends_with(ending))
                return std::make_shared<FakeImage>(picture);
        return std::make_shared<FakeImage>();
    }
    std::shared_ptr<const port::Image> LoadBuiltIn(const std::string&) override {
        return std::make_shared<FakeImage>();
    }
    // File names (or path endings) that cannot be read.
    std::vector<std::string> missing;
    std::vector<std::string> loads;
    // Files (or path endings) with pixels of their own; others are 24 x 24 and grey.
    std::map<std::string, port::RgbPixels> pictures;
};

// ---- System information ----

class FakeSystem : public port::System {
  public:
    std::string ExecutablePath() override { return "C:\\Program Files\\Trelvix\\trelvix.exe"; }
    port::LocalTime Now() override { return now; }
    std::string DecimalSeparator() override { return ","; }
    std::string FormatShortDate(const port::LocalTime& t) override;
    std::string FormatLongTime(const port::LocalTime& t) override;
    port::MemoryStatus Memory() override { return memory; }
    std::uint64_t TickCount() override { return tickCount; }
    // ASCII letters only: the tests' texts need no more.
    std::string LowerCase(const std::string& text) override {
        std::string lower = text;
        for (char& c : lower)
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        return lower;
    }
    // A zone at universal time whose clocks jump forward over `skippedHour` (its year, month,
    // day and hour): a local time inside it comes back one hour later, as the system's
    // conversion reads a time that does not exist.
    std::optional<port::LocalTime> LocalToUniversal(const port::LocalTime& local) override {
        return local;
    }
    std::optional<port::LocalTime> UniversalToLocal(const port::LocalTime& universal) override {
        port::LocalTime local = universal;
        if (skippedHour && local.year == skippedHour->year && local.month == skippedHour->month &&
            local.day == skippedHour->day && local.hour == skippedHour->hour)
            ++local.hour;
        return local;
    }

    std::uint64_t FileTimeNow() override { return fileTime; }
    port::WindowsVersion OsVersion() override { return version; }

    port::LocalTime now{2026, 12, 6, 9, 5, 7, 0, 0};
    port::MemoryStatus memory;
    std::uint64_t tickCount = 0;
    std::optional<port::LocalTime> skippedHour;
    std::uint64_t fileTime = 0x01DB'4F5E'8A6B'1C00ull;
    port::WindowsVersion version{10, 0, 19045};
};

// ---- The user's look ----

class FakeSystemLook : public port::SystemLook {
  public:
    bool HighContrast() override { return highContrast; }
    bool AppsUseDarkMode() override { return appsDark; }
    port::SystemColors Colors() override { return colors; }
    void Watch(std::function<void()> onChange, std::function<void()> onError) override {
        changeHandler = std::move(onChange);
        errorHandler = std::move(onError);
    }
    // The user changed the look: the change event, as the real window procedure sends it.
    void Change() {
        if (!changeHandler)
            return;
        try {
            changeHandler();
        } catch (...) {
            errorHandler();
        }
    }

    bool highContrast = false;
    bool appsDark = false;
    port::SystemColors colors;
    std::function<void()> changeHandler, errorHandler;
};

// ---- Files, shell, drives and the rest ----

struct ShellOpen {
    std::string file;
    std::optional<std::string> parameters;
    port::ShowMode show;
};

struct CommandLine {
    std::string line;
    port::ShowMode show;
};

class FakeShell : public port::Shell {
  public:
    std::string SystemDirectory() override { return "C:\\WINDOWS\\system32"; }
    port::LaunchResult Open(const std::string& file, const std::optional<std::string>& parameters,
                            port::ShowMode show) override {
        opens.push_back({file, parameters, show});
        if (whileOpening)
            whileOpening(opens.back());
        return Answer(file);
    }
    port::LaunchResult RunCommandLine(const std::string& line, port::ShowMode show) override {
        commandLines.push_back({line, show});
        return Answer(line);
    }
    port::LaunchResult OpenLink(const std::string& verb, const std::string& link,
                                port::ShellOwner owner, port::ShowMode show) override {
        links.push_back({verb, link, owner, show});
        return {linkRefusal.empty(), linkRefusal};
    }
    std::optional<port::ShortcutTarget> ReadShortcut(const std::string& path) override {
        const auto at = shortcuts.find(path);
        return at == shortcuts.end() ? std::nullopt : std::optional(at->second);
    }
    // The shortcuts there are, by path; any other file is no shortcut.
    std::map<std::string, port::ShortcutTarget> shortcuts;
    std::vector<ShellOpen> opens;
    std::vector<CommandLine> commandLines;
    struct LinkOpen {
        std::string verb, link;
        port::ShellOwner owner;
        port::ShowMode show;
        bool operator==(const LinkOpen&) const = default;
    };
    std::vector<LinkOpen> links;
    // The system's reason for refusing every link; empty: links open.
    std::string linkRefusal;
    // Files and command lines the system refuses to start, with its reason.
    std::map<std::string, std::string> refused;

    // Runs as the shell is asked to open something, before it answers.
    std::function<void(const ShellOpen&)> whileOpening;

  private:
    port::LaunchResult Answer(const std::string& what) const {
        auto it = refused.find(what);
        return it == refused.end() ? port::LaunchResult{true, {}}
                                   : port::LaunchResult{false, it->second};
    }
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
    // One thread's mode: on or off.
    std::uint32_t SuppressCriticalErrors() override {
        const std::uint32_t previous = suppressed ? 1 : 0;
        suppressed = true;
        return previous;
    }
    void RestoreCriticalErrors(std::uint32_t previous) override { suppressed = previous != 0; }
    bool SetLabel(char letter, const std::string& label, std::string& reason) override {
        labels.emplace_back(letter, label);
        auto it = drives.find(letter);
        if (it == drives.end() || refuseLabels) {
            reason = "Access is denied.";
            return false;
        }
        it->second.volume.label = label;
        return true;
    }
    // How often `what` was asked about `letter`.
    [[nodiscard]] int Count(const std::string& what, char letter) const {
        return static_cast<int>(std::count_if(calls.begin(), calls.end(), [&](const DriveCall& c) {
            return c.what == what && c.letter == letter;
        }));
    }
    std::map<char, FakeDrive> drives;
    bool suppressed = false;
    std::vector<DriveCall> calls;
    // Every relabelling asked for: letter and label.
    std::vector<std::pair<char, std::string>> labels;
    bool refuseLabels = false;
    // Runs at each query as it is recorded; may throw to stop the job asking (a query that
    // never returns, when the test holds that job's continuation).
    std::function<void(const DriveCall&)> whileQuerying;

  private:
    void Record(const char* what, char letter) {
        calls.push_back({what, letter, suppressed});
        if (whileQuerying)
            whileQuerying(calls.back());
    }
};

// Records what was asked of it; a request with a refusal set is refused with that message.
class FakePower : public port::Power {
  public:
    bool EnableShutdownPrivilege(std::string& reason) override {
        return Answer("privilege", privilegeRefusal, reason);
    }
    bool PowerOff(std::string& reason) override {
        return Answer("power off", powerOffRefusal, reason);
    }
    bool HibernationAllowed() override { return hibernationAllowed; }
    bool Hibernate(std::string& reason) override {
        return Answer("hibernate", hibernateRefusal, reason);
    }

    std::vector<std::string> calls;
    std::optional<std::string> privilegeRefusal, powerOffRefusal, hibernateRefusal;
    bool hibernationAllowed = true;
    // Runs at each request, before it is answered.
    std::function<void(const std::string& call)> whileAsked;

  private:
    bool Answer(const std::string& call, const std::optional<std::string>& refusal,
                std::string& reason) {
        calls.push_back(call);
        if (whileAsked)
            whileAsked(call);
        if (!refusal)
            return true;
        reason = *refusal;
        return false;
    }
};
// Records multimedia commands and connection cancels; cancels answer from `cancelResults`
// in turn, then with success.
class FakeMedia : public port::Media {
  public:
    unsigned SendCommand(const std::string& command, std::string& reason) override {
        commands.push_back(command);
        if (commandResult != 0)
            reason = "The specified device is not open or is not recognized by MCI.";
        return commandResult;
    }
    int CancelConnection(const std::string& name, bool force, std::string& reason) override {
        cancels.emplace_back(name, force);
        if (cancelResults.empty())
            return 0;
        int result = cancelResults.front();
        cancelResults.pop_front();
        if (result != 0)
            reason = "System error " + std::to_string(result);
        return result;
    }
    std::vector<std::string> commands;
    unsigned commandResult = 0;
    std::vector<std::pair<std::string, bool>> cancels;
    std::deque<int> cancelResults;
};

// All fakes together, and the ports over them.
// The watcher's thread played by the test: Change() runs the reread and its continuation
// at once, as the thread and then the window's thread would.
class FakeKeyWatch : public port::KeyWatch {
  public:
    void Start(std::vector<port::WatchedKey> watched, std::vector<std::string> watchedFolders,
               std::function<std::function<void()>()> rereadOnChange) override {
        ++starts;
        keys = std::move(watched);
        folders = std::move(watchedFolders);
        reread = std::move(rereadOnChange);
        Change();
    }
    void Stop() override {
        keys.clear();
        folders.clear();
        reread = nullptr;
    }
    void Change() {
        if (reread)
            reread()();
    }
    [[nodiscard]] bool Watching() const { return reread != nullptr; }

    std::vector<port::WatchedKey> keys;
    std::vector<std::string> folders;
    std::function<std::function<void()>()> reread;
    int starts = 0;
};

// ---- Scheduled tasks ----

class FakeTasks : public port::ScheduledTasks {
  public:
    std::vector<port::ScheduledTask> List() override { return tasks; }
    std::optional<bool> IsEnabled(const std::string& path) override {
        const port::ScheduledTask* task = Find(path);
        return task != nullptr ? std::optional(task->enabled) : std::nullopt;
    }
    void SetEnabled(const std::string& path, bool enabled) override {
        sets.push_back(path);
        if (port::ScheduledTask* task = Find(path); task != nullptr && !locked.contains(path))
            task->enabled = enabled;
    }
    port::UserNames ThisUser() override { return user; }

    std::vector<port::ScheduledTask> tasks;
    // Tasks whose flag the scheduler keeps whatever it is asked (no rights, or Wine).
    std::set<std::string> locked;
    port::UserNames user{"S-1-5-21-1-2-3-1001", "PC\\user", "user"};
    // The paths SetEnabled was called for, in order.
    std::vector<std::string> sets;

  private:
    port::ScheduledTask* Find(const std::string& path) {
        for (port::ScheduledTask& task : tasks)
            if (task.path == path)
                return &task;
        return nullptr;
    }
};

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
    FakeSystemLook look;
    FakeKeyWatch keyWatch;
    FakeTasks tasks;
    port::Ports ports{registry, drives,  files,   shell, power,    tray, media,
                      system,   desktop, bitmaps, look,  keyWatch, tasks};
};

// Jobs held until the test completes them, in any order; or run at once (`runNow`).
// Completing a job runs it and then its hand-over; a wake delivers the waiting results at
// once, as the window's thread would on its message.
class HeldBackground : public port::Background {
  public:
    void Run(std::function<void()> job, std::function<void()> handOver,
             port::JobKind /*kind*/) override {
        ++started;
        if (runNow) {
            job();
            handOver();
            return;
        }
        held.push_back({std::move(job), std::move(handOver)});
    }
    bool Wake() override {
        ++wakes;
        if (refuseWakes)
            return false;
        if (onWake)
            onWake();
        return true;
    }
    void SetWakeHandler(std::function<void()> handler) override { onWake = std::move(handler); }

    [[nodiscard]] size_t Held() const { return held.size(); }
    void Complete(size_t index) {
        Pair pair = std::move(held.at(index));
        held.erase(held.begin() + static_cast<std::ptrdiff_t>(index));
        pair.job();
        pair.handOver();
    }
    // Completes the held jobs, and the ones their continuations start, until none is left:
    // the oldest first, the newest first, or in an order drawn from `seed`.
    enum class Order { Oldest, Newest, Random };
    void CompleteAll(Order order = Order::Oldest, unsigned seed = 1) {
        while (!held.empty()) {
            seed = seed * 1103515245u + 12345u;
            size_t index = 0;
            if (order == Order::Newest)
                index = held.size() - 1;
            else if (order == Order::Random)
                index = (seed >> 16) % held.size();
            Complete(index);
        }
    }
    // Runs a held job as its worker would, its hand-over staying held: to the window's
    // thread the job is still out. Completing it later runs only the hand-over.
    void RunOnly(size_t index) {
        Pair& pair = held.at(index);
        std::function<void()> job = std::move(pair.job);
        pair.job = [] {};
        job();
    }
    bool runNow = false;
    int started = 0;
    // Wakes refused, as when the window's message queue is full.
    bool refuseWakes = false;
    int wakes = 0;

  private:
    struct Pair {
        std::function<void()> job, handOver;
    };
    std::vector<Pair> held;
    std::function<void()> onWake;
};

} // namespace fakes
