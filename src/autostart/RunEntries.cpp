#include "autostart/RunEntries.h"

#include "app/Program.h"
#include "app/ResourceGlyphs.h"
#include "app/StatusLine.h"
#include "app/WindowModes.h"
#include "autostart/DeletedEntriesFile.h"
#include "autostart/StartupApproved.h"
#include "autostart/StartupFolders.h"
#include "autostart/StartupTasks.h"
#include "toolkit/Errors.h"
#include "toolkit/RegistryObject.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <optional>
#include <utility>

namespace trelvix {

namespace {

constexpr const char* Separator = " | Path is: ";

bool HoldsNul(const std::string& name) {
    return name.find('\0') != std::string::npos;
}

// A value whose name holds a NUL is shown, never changed: the registry calls would act on the
// name cut at its NUL (another value), and a .reg file cannot hold it to bring it back.
void RefuseNameWithNul(const RunEntry& entry) {
    if (HoldsNul(entry.name))
        throw tk::Exception(ShownValueName(entry.name) +
                            " cannot be changed here: its name holds a NUL character, which no "
                            "backup file can hold.");
}

// The program's own entry is "Trelvix" or a name that begins with it, taken whole.
bool IsOwnEntryName(const std::string& name) {
    return name.rfind("Trelvix", 0) == 0 && !HoldsNul(name);
}

// Each byte as "%2X" writes it: two places, a leading blank instead of a zero.
std::string HexBytes(const std::vector<std::uint8_t>& bytes) {
    static constexpr char Digits[] = "0123456789ABCDEF";
    const std::size_t shown = std::min(bytes.size(), MaxBinaryShown);
    std::string text;
    text.reserve(shown * 2 + 3);
    for (std::size_t i = 0; i < shown; ++i) {
        const std::uint8_t byte = bytes[i];
        text += byte < 0x10 ? ' ' : Digits[byte >> 4];
        text += Digits[byte & 0x0F];
    }
    if (shown < bytes.size())
        text += "...";
    return text;
}

// The values of one key in one view, in the registry's order. The keys are opened for
// reading only, so a user without administrator rights still sees the per-machine entries.
void AppendRunEntries(port::Registry& registry, RunSource source, port::RegRoot root,
                      port::RegView view, std::vector<RunEntry>& entries) {
    tk::RegistryObject reg(registry, root, view);
    reg.OpenKeyReadOnly(KeyOf(source));
    auto approved = source == RunSource::Run ? registry.Open(root, StartupApprovedKey(root, view),
                                                             false, false, port::RegView::Bits64)
                                             : nullptr;
    for (const port::NamedValue& v : reg.GetValues()) {
        const auto record = approved ? approved->ReadValue(v.name) : std::nullopt;
        entries.push_back(
            {source, root, view, v.name, RenderRunValue(v.value), RecordSaysDisabled(record), {}});
    }
}

// The list's own Disable, Enable and Delete items.
struct LineItems {
    tk::MenuItem* disable;
    tk::MenuItem* enable;
    tk::MenuItem* remove;
};

LineItems LineItemsOf(TMainForm& f, const tk::ListBox& list) {
    if (&list == &f.ListBox9)
        return {&f.Disable1, &f.Enable1, &f.DeleteThisKeyFrom1};
    return {&f.Disable2, &f.Enable2, &f.DeleteThisKeyFromHKEYLOCALMACHINE1};
}

const std::vector<RunEntry>& EntriesOf(Program& p, const tk::ListBox& list) {
    return &list == &p.MainForm->ListBox9 ? p.AutoStart.LocalEntries : p.AutoStart.CurrentEntries;
}

// The remembered line follows its entry when lines came or went before it; an entry that is
// gone leaves the position as it was.
int FollowEntry(const std::vector<RunEntry>& before, const std::vector<RunEntry>& after,
                int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= before.size())
        return index;
    const RunEntry& kept = before[static_cast<std::size_t>(index)];
    const auto at =
        std::ranges::find_if(after, [&](const RunEntry& e) { return SameEntry(e, kept); });
    return at == after.end() ? index : static_cast<int>(at - after.begin());
}

void FillRunList(Program& p, tk::ListBox& list, std::vector<RunEntry>& entries, int& index,
                 std::vector<RunEntry> read) {
    std::vector<RunEntry> before = std::move(entries);
    entries = std::move(read);
    index = FollowEntry(before, entries, index);
    std::vector<std::string> lines;
    lines.reserve(entries.size());
    for (const RunEntry& entry : entries)
        lines.push_back(RunEntryLine(entry));
    list.SetItems(std::move(lines));
    list.SetItemIndex(index);
    GreyLineItems(p, list);
}

void SelectEntryLine(Program& p, tk::ListBox& list, const std::vector<RunEntry>& entries,
                     int& remembered, const RunEntry& entry) {
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (SameEntry(entries[i], entry)) {
            remembered = static_cast<int>(i);
            list.SetItemIndex(remembered);
            GreyLineItems(p, list);
        }
}

// The two lists' entries, read off the window's thread.
struct BothLists {
    std::vector<RunEntry> local;
    std::vector<RunEntry> current;
};

BothLists ReadBothLists(port::Ports& ports) {
    return {ReadRunEntries(ports, port::RegRoot::LocalMachine),
            ReadRunEntries(ports, port::RegRoot::CurrentUser)};
}

// One refresh reads at a time, however it ends.
class ReadingLists {
  public:
    explicit ReadingLists(AutoStartState& state) : state_(state) { state_.Reading = true; }
    ~ReadingLists() { state_.Reading = false; }
    ReadingLists(const ReadingLists&) = delete;
    ReadingLists& operator=(const ReadingLists&) = delete;

  private:
    AutoStartState& state_;
};

// The position of the list's selected line; none, after saying so, when no line is selected.
std::optional<std::size_t> SelectedLine(Program& p, const tk::ListBox& list, std::size_t count) {
    const int index = list.ItemIndex();
    if (index < 0 || static_cast<std::size_t>(index) >= count) {
        p.App.ShowNotice("Please choose a key!");
        return std::nullopt;
    }
    return static_cast<std::size_t>(index);
}

// A per-machine change without administrator rights does nothing, as a refused delete
// always has; the status bar says why for a moment. A task refuses for want of rights
// whichever list it is in.
void NoteRefusedChange(Program& p, const RunEntry& entry) {
    if (entry.root == port::RegRoot::LocalMachine || entry.source == RunSource::Task)
        ShowStatusNote(p, "Administrator rights are needed to change this entry.");
}

// The program's own entry changed from the list: start-with-Windows shows what Windows will
// now do.
void FollowOwnEntry(Program& p, const RunEntry& entry) {
    if (entry.root != port::RegRoot::CurrentUser || !IsOwnEntryName(entry.name))
        return;
    p.AutoRunOn = false;
    DetectAutoRun(p);
    ShowAutoRun(p);
}

} // namespace

bool SameEntry(const RunEntry& a, const RunEntry& b) {
    return a.source == b.source && a.root == b.root && a.view == b.view && a.name == b.name;
}

const char* KeyOf(RunSource source) {
    switch (source) {
    case RunSource::RunOnce:
        return RunOnceKey;
    case RunSource::Policy:
        return PolicyRunKey;
    default:
        return RunKey;
    }
}

bool CanBeDisabled(const RunEntry& entry) {
    return entry.source == RunSource::Run || entry.source == RunSource::StartupFolder ||
           entry.source == RunSource::Task;
}

bool CanBeDeleted(const RunEntry& entry) {
    return entry.source != RunSource::Task;
}

void GreyLineItems(Program& p, const tk::ListBox& list) {
    const std::vector<RunEntry>& entries = EntriesOf(p, list);
    const int index = list.ItemIndex();
    const bool none = index < 0 || static_cast<std::size_t>(index) >= entries.size();
    const RunEntry* entry = none ? nullptr : &entries[static_cast<std::size_t>(index)];
    const LineItems items = LineItemsOf(*p.MainForm, list);
    items.disable->SetEnabled(entry == nullptr || CanBeDisabled(*entry));
    items.enable->SetEnabled(entry == nullptr || CanBeDisabled(*entry));
    items.remove->SetEnabled(entry == nullptr || CanBeDeleted(*entry));
}

std::string RenderRunValue(const port::RegValue& value) {
    switch (value.type) {
    case port::RegType::String:
    case port::RegType::ExpandString:
        return '"' + value.text + '"';
    case port::RegType::DWord:
        // Data of another length is no number.
        if (value.bytes.size() != 4)
            return "Unknown";
        return std::to_string(static_cast<std::int32_t>(static_cast<std::uint32_t>(value.number)));
    case port::RegType::Binary:
        return HexBytes(value.bytes);
    default:
        return "Unknown";
    }
}

void DetectAutoRun(Program& p) {
    tk::RegistryObject reg(p.Ports.registry, port::RegRoot::CurrentUser);
    reg.OpenKeyReadOnly(RunKey);
    // Any value whose name begins with the program's name counts, whatever its data, unless
    // its record keeps Windows from starting it.
    port::Registry& registry = p.Ports.registry;
    for (const std::string& name : reg.GetValueNames())
        if (IsOwnEntryName(name) &&
            !RecordSaysDisabled(ReadStartupRecord(registry, port::RegRoot::CurrentUser,
                                                  port::RegView::Bits64, name)))
            p.AutoRunOn = true;
}

tk::Task RefreshAutoStart(Program& p, bool busy) {
    AutoStartState& s = p.AutoStart;
    if (s.Reading) {
        s.ReadAgain = true;
        co_return;
    }
    ReadingLists reading(s);
    std::optional<BusyGlyph> glyph;
    if (busy)
        glyph.emplace(p);
    port::Ports& ports = p.Ports;
    do {
        s.ReadAgain = false;
        auto step = tk::InBackground(p.App, [&ports] { return ReadBothLists(ports); });
        BothLists read = co_await step;
        TMainForm& f = *p.MainForm;
        FillRunList(p, f.ListBox9, s.LocalEntries, s.LocalRunIndex, std::move(read.local));
        FillRunList(p, f.ListBox10, s.CurrentEntries, s.CurrentRunIndex, std::move(read.current));
    } while (s.ReadAgain);
    if (std::optional<RunEntry> entry = std::exchange(s.SelectAfterFill, std::nullopt))
        SelectEntryLines(p, *entry);
}

void SelectEntryLines(Program& p, const RunEntry& entry) {
    TMainForm& f = *p.MainForm;
    AutoStartState& s = p.AutoStart;
    SelectEntryLine(p, f.ListBox9, s.LocalEntries, s.LocalRunIndex, entry);
    SelectEntryLine(p, f.ListBox10, s.CurrentEntries, s.CurrentRunIndex, entry);
}

bool SameTextIgnoringCase(const std::string& a, const std::string& b) {
    return std::ranges::equal(a, b, [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

std::string ShownValueName(const std::string& name) {
    std::string shown;
    shown.reserve(name.size());
    for (char c : name) {
        if (c == '\0')
            shown += "\\0";
        else
            shown += c;
    }
    return shown;
}

std::string RunEntryLine(const RunEntry& entry) {
    std::string line = ShownValueName(entry.name) + Separator + entry.data;
    if (entry.view == port::RegView::Bits32)
        line += " (32-bit)";
    if (entry.source == RunSource::RunOnce)
        line += " (once)";
    else if (entry.source == RunSource::Policy)
        line += " (policy)";
    else if (entry.source == RunSource::StartupFolder)
        line += " (Startup folder)";
    else if (entry.source == RunSource::Task)
        line += " (task)";
    if (entry.disabled)
        line += " (disabled)";
    return line;
}

std::vector<RunEntry> ReadRunEntries(port::Ports& ports, port::RegRoot root) {
    port::Registry& registry = ports.registry;
    std::vector<RunEntry> entries;
    for (RunSource source : {RunSource::Run, RunSource::RunOnce}) {
        AppendRunEntries(registry, source, root, port::RegView::Bits64, entries);
        if (root == port::RegRoot::LocalMachine)
            AppendRunEntries(registry, source, root, port::RegView::Bits32, entries);
    }
    AppendRunEntries(registry, RunSource::Policy, root, port::RegView::Bits64, entries);
    AppendStartupFolderEntries(ports, root, entries);
    AppendTaskEntries(ports, root, entries);
    return entries;
}

RunEntryChange SetRunEntryDisabled(port::Ports& ports, RunEntry& entry, bool disabled) {
    if (!CanBeDisabled(entry))
        return RunEntryChange::NotKept;
    if (entry.source == RunSource::StartupFolder)
        return SetStartupFileDisabled(ports, entry, disabled);
    if (entry.source == RunSource::Task)
        return SetTaskDisabled(ports, entry, disabled);
    auto run = ports.registry.Open(entry.root, RunKey, false, false, entry.view);
    if (!run || !run->ValueExists(entry.name))
        return RunEntryChange::Gone;
    auto approved = ports.registry.Open(entry.root, StartupApprovedKey(entry.root, entry.view),
                                        true, true, port::RegView::Bits64);
    const auto record = disabled ? DisabledRecord(ports.system.FileTimeNow()) : EnabledRecord();
    if (!approved || !approved->WriteBinary(entry.name, record))
        return RunEntryChange::Refused;
    entry.disabled = disabled;
    return RunEntryChange::Done;
}

RunEntryChange DeleteRunValue(port::Ports& ports, const RunEntry& entry) {
    if (!CanBeDeleted(entry))
        return RunEntryChange::NotKept;
    if (entry.source == RunSource::StartupFolder)
        return DeleteStartupFile(ports, entry);
    port::Registry& registry = ports.registry;
    const char* key = KeyOf(entry.source);
    // Never made: a key that is gone holds nothing to delete.
    auto run = registry.Open(entry.root, key, false, true, entry.view);
    if (!run) {
        auto readable = registry.Open(entry.root, key, false, false, entry.view);
        return readable && readable->ValueExists(entry.name) ? RunEntryChange::Refused
                                                             : RunEntryChange::Gone;
    }
    const auto value = run->ReadValue(entry.name);
    if (!value)
        return RunEntryChange::Gone;
    const std::string approvedKey = StartupApprovedKey(entry.root, entry.view);
    std::vector<RegFileValue> kept = {
        {RegFileKeyName(entry.root, entry.view, key), entry.name, *value}};
    // A record of the same name belongs to the Run value, never to another key's.
    const auto record = entry.source == RunSource::Run
                            ? ReadStartupRecord(registry, entry.root, entry.view, entry.name)
                            : std::nullopt;
    if (record)
        kept.push_back(
            {RegFileKeyName(entry.root, port::RegView::Bits64, approvedKey), entry.name, *record});
    SaveDeletedValues(ports, kept); // raises, and nothing is deleted, when it cannot
    if (!run->DeleteValue(entry.name))
        return RunEntryChange::Refused;
    // The record goes with its value: a later program of the same name starts enabled.
    if (record)
        if (auto approved =
                registry.Open(entry.root, approvedKey, false, true, port::RegView::Bits64))
            (void)approved->DeleteValue(entry.name);
    return RunEntryChange::Done;
}

void DeleteRunEntry(Program& p, const tk::ListBox& list, const std::vector<RunEntry>& entries) {
    const auto line = SelectedLine(p, list, entries.size());
    if (!line)
        return;
    RefuseNameWithNul(entries[*line]);
    // A value already gone fails without a word; the line stays until the next refresh.
    switch (DeleteRunValue(p.Ports, entries[*line])) {
    case RunEntryChange::Done:
        FollowOwnEntry(p, entries[*line]);
        break;
    case RunEntryChange::Refused:
        NoteRefusedChange(p, entries[*line]);
        break;
    case RunEntryChange::Gone:
    case RunEntryChange::NotKept:
        break;
    }
}

void DisableRunEntry(Program& p, tk::ListBox& list, std::vector<RunEntry>& entries, bool disable) {
    const auto line = SelectedLine(p, list, entries.size());
    if (!line)
        return;
    RunEntry& entry = entries[*line];
    RefuseNameWithNul(entry);
    switch (SetRunEntryDisabled(p.Ports, entry, disable)) {
    case RunEntryChange::Done:
        list.SetItem(static_cast<int>(*line), RunEntryLine(entry));
        FollowOwnEntry(p, entry);
        break;
    case RunEntryChange::Refused:
        // The user's own key refusing a write is an error worth a box, as for any setting.
        if (entry.root == port::RegRoot::CurrentUser && entry.source != RunSource::Task)
            throw tk::ERegistryException::FailedToSetData(entry.name);
        NoteRefusedChange(p, entry);
        break;
    case RunEntryChange::Gone:
    case RunEntryChange::NotKept: // its items are greyed
        break;
    }
}

} // namespace trelvix
