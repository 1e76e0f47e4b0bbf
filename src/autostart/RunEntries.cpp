#include "autostart/RunEntries.h"

#include "app/Program.h"
#include "toolkit/RegistryObject.h"

#include <algorithm>
#include <cstdint>

namespace trelvix {

namespace {

constexpr const char* RunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* Separator = " | Path is: ";

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

// The lines of one Run key, in the registry's order. The key is opened for reading only,
// so a user without administrator rights still sees the per-machine entries.
std::vector<RunEntry> ReadRunEntries(Program& p, port::RegRoot root, port::RegView view) {
    tk::RegistryObject reg(p.Ports.registry, root, view);
    reg.OpenKeyReadOnly(RunKey);
    std::vector<RunEntry> entries;
    for (const port::NamedValue& v : reg.GetValues())
        entries.push_back({root, view, v.name, v.name + Separator + RenderRunValue(v.value)});
    return entries;
}

void FillRunList(Program& p, tk::ListBox& list, std::vector<RunEntry>& entries, int index,
                 port::RegRoot root) {
    entries = ReadRunEntries(p, root, port::RegView::Own);
    std::vector<std::string> lines;
    lines.reserve(entries.size());
    for (const RunEntry& entry : entries)
        lines.push_back(entry.line);
    list.SetItems(std::move(lines));
    list.SetItemIndex(index);
}

} // namespace

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
    // Any value whose name begins with the program's name counts, whatever its data.
    for (const std::string& name : reg.GetValueNames())
        if (name.rfind("Trelvix", 0) == 0)
            p.AutoRunOn = true;
}

void RefreshAutoStart(Program& p) {
    TMainForm& f = *p.MainForm;
    AutoStartState& s = p.AutoStart;
    f.ListBox9.Clear();
    f.ListBox10.Clear();
    FillRunList(p, f.ListBox9, s.LocalEntries, s.LocalRunIndex, port::RegRoot::LocalMachine);
    FillRunList(p, f.ListBox10, s.CurrentEntries, s.CurrentRunIndex, port::RegRoot::CurrentUser);
}

void DeleteRunEntry(Program& p, const tk::ListBox& list, const std::vector<RunEntry>& entries) {
    const int index = list.ItemIndex();
    if (index < 0 || static_cast<std::size_t>(index) >= entries.size()) {
        p.App.MessageBox("Please choose a key!", p.App.Title(), port::mb::Ok);
        return;
    }
    const RunEntry& entry = entries[static_cast<std::size_t>(index)];
    tk::RegistryObject reg(p.Ports.registry, entry.root, entry.view);
    reg.OpenKey(RunKey, true);
    // A value already gone, or one the user may not delete, fails without a word; the
    // line stays until the next refresh either way.
    (void)reg.DeleteValue(entry.name);
}

} // namespace trelvix
