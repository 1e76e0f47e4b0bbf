#pragma once

#include "platform/Registry.h"

#include <cstddef>
#include <string>
#include <vector>

namespace tk {
class ListBox;
}

namespace trelvix {

class Program;
class TMainForm;

// One line of an AutoStart list and the value behind it. The line is only shown: the
// value is found again by its root, view and real name, whatever the line says.
struct RunEntry {
    port::RegRoot root = port::RegRoot::CurrentUser;
    port::RegView view = port::RegView::Own;
    std::string name;
    std::string line;
};

// The AutoStart page's state, for the run only.
struct AutoStartState {
    // The selected line of ListBox9 / ListBox10 at the last click (-1 = none); each
    // refill selects it again.
    int LocalRunIndex = 0;
    int CurrentRunIndex = 0;
    // The values behind the lines of ListBox9 / ListBox10, line by line.
    std::vector<RunEntry> LocalEntries;
    std::vector<RunEntry> CurrentEntries;
};

// Binary data longer than this shows its first 4,096 bytes followed by "...": a value of
// megabytes would otherwise make a line of millions of characters.
inline constexpr std::size_t MaxBinaryShown = 4096;

// The data part of a list line: a string quoted, a DWORD as a signed number, binary data
// as hexadecimal bytes, anything else "Unknown".
std::string RenderRunValue(const port::RegValue& value);

// Lays out the AutoStart page and binds its lists and context menus.
void DesignAutoStartPage(TMainForm& f);

// Sets AutoRunOn from the per-user Run key.
void DetectAutoRun(Program& p);
// Fills ListBox9 from the per-machine Run key and ListBox10 from the per-user one.
void RefreshAutoStart(Program& p);
// Deletes the value behind the list's selected line; the list keeps the line until the
// next refresh. Without a selection it only says "Please choose a key!".
void DeleteRunEntry(Program& p, const tk::ListBox& list, const std::vector<RunEntry>& entries);

} // namespace trelvix
