#include "autostart/AutoStartWatch.h"

#include "app/Program.h"
#include "app/StatusLine.h"
#include "autostart/DeletedEntriesFile.h"
#include "autostart/StartupFolders.h"

#include <algorithm>
#include <exception>
#include <memory>
#include <utility>

namespace trelvix {

namespace {

constexpr int AutoStartPage = 6;
constexpr char BaselineHeader[] = "Trelvix programs at logon 1";
// The program's own value in the per-user Run key.
constexpr char OwnValueName[] = "Trelvix";

const RunEntry* Find(const std::vector<RunEntry>& entries, const RunEntry& entry) {
    const auto at =
        std::ranges::find_if(entries, [&](const RunEntry& e) { return SameEntry(e, entry); });
    return at == entries.end() ? nullptr : &*at;
}

bool SameLines(const std::vector<RunEntry>& a, const std::vector<RunEntry>& b) {
    return std::ranges::equal(a, b, [](const RunEntry& x, const RunEntry& y) {
        return SameEntry(x, y) && x.data == y.data && x.disabled == y.disabled;
    });
}

bool IsOwnValue(const RunEntry& entry, const std::string& ownData) {
    return entry.source == RunSource::Run && entry.root == port::RegRoot::CurrentUser &&
           entry.name == OwnValueName && entry.data == ownData;
}

// Tabs part the fields of a line and line breaks the lines: both and the backslash are
// written escaped, so any name and data come back as they were.
std::string Escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::optional<std::string> Unescaped(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size())
            return std::nullopt;
        switch (text[i]) {
        case '\\':
            out += '\\';
            break;
        case 't':
            out += '\t';
            break;
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        default:
            return std::nullopt;
        }
    }
    return out;
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts(1);
    for (char c : text) {
        if (c == separator)
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

// The file names sources, roots and views by words of its own, so it stays readable and
// keeps its meaning whatever the program numbers them.
constexpr const char* SourceWords[] = {"run", "once", "policy", "folder", "task"};
constexpr const char* RootWords[] = {"user", "machine"};
constexpr const char* ViewWords[] = {"own", "32", "64"};

template <std::size_t N>
std::optional<int> WordIndex(const char* const (&words)[N], const std::string& word) {
    for (std::size_t i = 0; i < N; ++i)
        if (word == words[i])
            return static_cast<int>(i);
    return std::nullopt;
}

std::optional<RunEntry> ParseBaselineLine(const std::string& line) {
    const std::vector<std::string> fields = Split(line, '\t');
    if (fields.size() != 5)
        return std::nullopt;
    const auto source = WordIndex(SourceWords, fields[0]);
    const auto root = WordIndex(RootWords, fields[1]);
    const auto view = WordIndex(ViewWords, fields[2]);
    auto name = Unescaped(fields[3]);
    auto data = Unescaped(fields[4]);
    if (!source || !root || !view || !name || !data)
        return std::nullopt;
    RunEntry entry;
    entry.source = static_cast<RunSource>(*source);
    entry.root = static_cast<port::RegRoot>(*root);
    entry.view = static_cast<port::RegView>(*view);
    entry.name = std::move(*name);
    entry.data = std::move(*data);
    return entry;
}

std::string BaselinePath(port::Files& files) {
    const std::string local = files.KnownFolderPath(port::KnownFolder::LocalAppData);
    if (local.empty())
        return {};
    return local + "\\" + DeletedEntriesFolder + "\\" + BaselineFileName;
}

// What one reread found, handed from the watcher's thread to the window's.
struct Reread {
    std::vector<RunEntry> now;
    // At the first reread: the baseline the last run left; nullopt when there is none.
    std::optional<std::vector<RunEntry>> stored;
    bool first = false;
    // Why the baseline could not be kept; empty when it was.
    std::string baselineRefusal;
    std::exception_ptr error;
};

std::vector<RunEntry> ReadAllRunEntries(port::Ports& ports) {
    std::vector<RunEntry> entries = ReadRunEntries(ports, port::RegRoot::LocalMachine);
    std::vector<RunEntry> user = ReadRunEntries(ports, port::RegRoot::CurrentUser);
    entries.insert(entries.end(), user.begin(), user.end());
    return entries;
}

// On the watcher's thread: the entries now, the stored baseline at the first time, and the
// new baseline written in place of the old.
void RereadEntries(port::Ports& ports, Reread& result) {
    port::Files& files = ports.files;
    result.now = ReadAllRunEntries(ports);
    const std::string path = BaselinePath(files);
    if (path.empty()) {
        result.baselineRefusal = "the system names no folder for the local data of programs";
        return;
    }
    if (result.first) {
        std::vector<std::uint8_t> bytes;
        if (files.ReadWholeFile(path, bytes))
            result.stored = ParseBaseline(bytes);
    }
    const std::vector<std::uint8_t> bytes = BaselineBytes(result.now);
    std::string reason;
    // The folder is made the first time only.
    if (files.WriteWholeFile(path, bytes, reason))
        return;
    (void)files.MakeDirectory(path.substr(0, path.rfind('\\')));
    if (!files.WriteWholeFile(path, bytes, reason))
        result.baselineRefusal = "\"" + path + "\" cannot be written. " + reason;
}

// On the window's thread: what changed since the last reread is told, once.
void TakeReread(Program& p, const std::string& ownData, Reread& result) {
    AutoStartWatchState& s = p.AutoStartWatch;
    if (result.error)
        std::rethrow_exception(result.error);
    if (!result.baselineRefusal.empty() && !s.BaselineRefusalShown) {
        s.BaselineRefusalShown = true;
        ShowStatusNote(p, "New programs at logon are told only while Trelvix runs: " +
                              result.baselineRefusal);
    }
    const bool first = !s.BaselineKnown;
    std::vector<RunEntry> before = std::move(s.Baseline);
    s.Baseline = result.now;
    s.BaselineKnown = true;
    if (first) {
        // The first run of all only learns what there is.
        if (!result.stored)
            return;
        before = std::move(*result.stored);
    }
    std::vector<AutoStartNotice> notices = AutoStartNotices(before, result.now, ownData);
    if (!first && !SameLines(before, result.now))
        s.ChangeNoticed = true;
    if (notices.empty())
        return;
    // Notices not shown yet (no taskbar) go into the same balloon.
    s.PendingNotices.insert(s.PendingNotices.end(), notices.begin(), notices.end());
    s.PendingSinceLastRan = s.PendingSinceLastRan || first;
    ShowPendingAutoStartNotice(p);
    if (p.MainForm->Disks.ActivePageIndex() == AutoStartPage)
        AutoStartPageShown(p);
}

} // namespace

std::vector<port::WatchedKey> WatchedAutoStartKeys() {
    using port::RegRoot;
    using port::RegView;
    std::vector<port::WatchedKey> keys;
    for (const char* key : {RunKey, RunOnceKey}) {
        keys.push_back({RegRoot::LocalMachine, RegView::Bits64, key});
        keys.push_back({RegRoot::LocalMachine, RegView::Bits32, key});
        keys.push_back({RegRoot::CurrentUser, RegView::Bits64, key});
    }
    keys.push_back({RegRoot::LocalMachine, RegView::Bits64, PolicyRunKey});
    keys.push_back({RegRoot::CurrentUser, RegView::Bits64, PolicyRunKey});
    return keys;
}

std::vector<AutoStartNotice> AutoStartNotices(const std::vector<RunEntry>& before,
                                              const std::vector<RunEntry>& now,
                                              const std::string& ownData) {
    std::vector<AutoStartNotice> notices;
    for (const RunEntry& entry : now) {
        if (IsOwnValue(entry, ownData))
            continue;
        const RunEntry* was = Find(before, entry);
        if (was == nullptr)
            notices.push_back({AutoStartNoticeKind::New, entry});
        else if (was->data != entry.data)
            notices.push_back({AutoStartNoticeKind::Changed, entry});
    }
    return notices;
}

BalloonText AutoStartBalloon(const std::vector<AutoStartNotice>& notices, bool sinceLastRan) {
    BalloonText balloon;
    if (notices.empty())
        return balloon;
    const std::string since = sinceLastRan ? " since Trelvix last ran" : "";
    if (notices.size() == 1) {
        const AutoStartNotice& n = notices.front();
        const std::string name = ShownValueName(n.entry.name), data = n.entry.data;
        if (n.kind == AutoStartNoticeKind::New) {
            balloon.title = "New program at logon";
            balloon.text = name + " will start with Windows" + since + ": " + data;
        } else {
            balloon.title = "Changed program at logon";
            balloon.text = name + " now starts " + data + since;
        }
        return balloon;
    }
    const bool allNew = std::ranges::all_of(
        notices, [](const AutoStartNotice& n) { return n.kind == AutoStartNoticeKind::New; });
    balloon.title = allNew ? "New programs at logon" : "Changed programs at logon";
    balloon.text = std::to_string(notices.size()) + " programs were " +
                   (allNew ? "added to" : "added to or changed in") +
                   " the programs that start with Windows" + since + ": ";
    for (std::size_t i = 0; i < notices.size(); ++i)
        balloon.text += (i > 0 ? ", " : "") + ShownValueName(notices[i].entry.name);
    return balloon;
}

std::vector<std::uint8_t> BaselineBytes(const std::vector<RunEntry>& entries) {
    std::string text = std::string(BaselineHeader) + "\n";
    for (const RunEntry& e : entries)
        text += std::string(SourceWords[static_cast<int>(e.source)]) + "\t" +
                RootWords[static_cast<int>(e.root)] + "\t" + ViewWords[static_cast<int>(e.view)] +
                "\t" + Escaped(e.name) + "\t" + Escaped(e.data) + "\n";
    return {text.begin(), text.end()};
}

std::optional<std::vector<RunEntry>> ParseBaseline(const std::vector<std::uint8_t>& bytes) {
    const std::vector<std::string> lines = Split(std::string(bytes.begin(), bytes.end()), '\n');
    if (lines.empty() || lines.front() != BaselineHeader)
        return std::nullopt;
    std::vector<RunEntry> entries;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (lines[i].empty())
            continue;
        // A damaged line is as good as a missing one: its entry is told once more.
        if (auto entry = ParseBaselineLine(lines[i]))
            entries.push_back(std::move(*entry));
    }
    return entries;
}

void ApplyAutoStartWatch(Program& p) {
    port::KeyWatch& watch = p.Ports.keyWatch;
    if (!p.WatchAutoStart) {
        // The baseline stays: switched on again, the watcher tells what came meanwhile.
        watch.Stop();
        p.AutoStartWatch.Watching = false;
        return;
    }
    if (p.AutoStartWatch.Watching)
        return;
    port::Ports& ports = p.Ports;
    const std::string ownData = RenderRunValue(
        {port::RegType::String, 0, '"' + p.Ports.system.ExecutablePath() + '"', {}, 1});
    auto first = std::make_shared<bool>(!p.AutoStartWatch.BaselineKnown);
    std::vector<std::string> folders;
    for (port::RegRoot root : {port::RegRoot::LocalMachine, port::RegRoot::CurrentUser})
        if (std::string folder = StartupFolderOf(ports.files, root); !folder.empty())
            folders.push_back(std::move(folder));
    watch.Start(WatchedAutoStartKeys(), std::move(folders), [&p, &ports, ownData, first] {
        auto result = std::make_shared<Reread>();
        result->first = std::exchange(*first, false);
        try {
            RereadEntries(ports, *result);
        } catch (...) {
            result->error = std::current_exception();
        }
        return std::function<void()>(
            [&p, ownData, result] { p.App.Guard([&] { TakeReread(p, ownData, *result); }); });
    });
    p.AutoStartWatch.Watching = true;
}

void ShowPendingAutoStartNotice(Program& p) {
    AutoStartWatchState& s = p.AutoStartWatch;
    if (s.PendingNotices.empty())
        return;
    const BalloonText balloon = AutoStartBalloon(s.PendingNotices, s.PendingSinceLastRan);
    if (!p.MainForm->TrayIcon1.ShowBalloon(balloon.title, balloon.text, port::BalloonIcon::Info,
                                           AutoStartBalloonTag))
        return;
    s.NoticedEntry = s.PendingNotices.front().entry;
    s.PendingNotices.clear();
    s.PendingSinceLastRan = false;
}

void AutoStartPageShown(Program& p) {
    if (!p.AutoStartWatch.ChangeNoticed)
        return;
    p.AutoStartWatch.ChangeNoticed = false;
    RefreshAutoStart(p);
}

void ShowNoticedEntry(Program& p) {
    TMainForm& f = *p.MainForm;
    // The lists are read afresh, so the entry is there even when nothing else was noticed;
    // its line is selected once they are filled.
    p.AutoStartWatch.ChangeNoticed = true;
    p.AutoStart.SelectAfterFill = p.AutoStartWatch.NoticedEntry;
    f.TrayPageItemClick(AutoStartPage);
    if (!p.AutoStart.Reading)
        if (std::optional<RunEntry> entry =
                std::exchange(p.AutoStart.SelectAfterFill, std::nullopt))
            SelectEntryLines(p, *entry);
}

} // namespace trelvix
