#pragma once

#include "platform/Registry.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace trelvix {

// Windows keeps, beside the Run keys, one record per entry saying whether it may start:
// a binary value named like the Run value under Explorer\StartupApproved\Run (Run32 for the
// per-machine key's 32-bit view). Windows' own startup manager writes and reads these
// records too, and Windows honours them at logon. They always live in the 64-bit view.

// The record's key for a Run value of `root` in `view`.
std::string StartupApprovedKey(port::RegRoot root, port::RegView view);

// Disabled when the record is binary, at least 12 bytes long and its first byte odd; a
// missing, short or other record means enabled (Windows writes 2 and 6 for enabled ones).
bool RecordSaysDisabled(const std::optional<port::RegValue>& record);

// The records Windows' startup manager writes: 03 00 00 00 and the time of the change as a
// FILETIME to disable, 02 and eleven zero bytes to enable.
std::vector<std::uint8_t> DisabledRecord(std::uint64_t fileTime);
std::vector<std::uint8_t> EnabledRecord();

// Reads the record of the Run value `name` of `root` in `view`.
std::optional<port::RegValue> ReadStartupRecord(port::Registry& registry, port::RegRoot root,
                                                port::RegView view, const std::string& name);

} // namespace trelvix
