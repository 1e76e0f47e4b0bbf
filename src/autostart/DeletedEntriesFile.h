#pragma once

#include "platform/Ports.h"

#include <string>
#include <vector>

namespace trelvix {

// Before the AutoStart page deletes a value it appends it to a registry file in the user's
// local application data, so that nothing is lost: "reg import" of the file, or a double
// click on it, puts every value back exactly as it was.

// A value as a .reg file states it: the full name of its key and the value's type and data.
struct RegFileValue {
    std::string key; // "HKEY_CURRENT_USER\\SOFTWARE\\..."
    std::string name;
    port::RegValue value; // rawType and bytes are what is written
};

inline constexpr const char* DeletedEntriesFolder = "Trelvix";
inline constexpr const char* DeletedEntriesFileName = "Deleted startup entries.reg";

// The key's full name as .reg files write it; a key of the 32-bit view of
// HKEY_LOCAL_MACHINE\SOFTWARE under WOW6432Node, where that view keeps it.
std::string RegFileKeyName(port::RegRoot root, port::RegView view, const std::string& path);

// The start of the file: a byte-order mark and the format line, UTF-16 as the importers
// read every character of it.
std::u16string RegFileHeader();
// The values as sections of the file, after a comment line `comment`. Strings that are one
// clean line of text are written quoted and DWORDs as dword:, everything else as the
// hexadecimal bytes of its type, so every value comes back byte for byte. Raises an error
// for a value name that no .reg file can hold (one with a line break).
std::u16string RegFileSections(const std::vector<RegFileValue>& values, const std::string& comment);
// The comment line of a deletion now: "Deleted from the AutoStart page of Trelvix on ...".
std::string DeletionComment(port::Ports& ports);
// UTF-16 little-endian, as the file stores it.
std::vector<std::uint8_t> Utf16Bytes(const std::u16string& text);

// Appends the values to %LOCALAPPDATA%\Trelvix\Deleted startup entries.reg, making the folder
// and the file when missing, and flushes it to the disk. Raises an error naming the file and
// the system's reason when they cannot be written; the file is then cut back to what it held
// (the error says when even that failed and the file may be damaged).
void SaveDeletedValues(port::Ports& ports, const std::vector<RegFileValue>& values);

} // namespace trelvix
