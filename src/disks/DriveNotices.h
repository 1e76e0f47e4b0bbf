#pragma once

#include <cstdint>

namespace trelvix {

class Program;

// The system tells the program about drives as they come and go: a USB stick or a card
// arriving or pulled, a network drive mapped or disconnected by another program. A burst of
// such notices (a stick often brings several volumes, each announced on its own) is acted on
// once, half a second after its first notice.

// Volumes that arrived or left; bit 0 = A:.
void NoteVolumesChanged(Program& p, std::uint32_t drives);
// The shell saw a drive added or removed.
void NoteDrivesChanged(Program& p);
// Half a second after the first notice: the removable list and the drive pickers follow,
// and the fixed, CD, network and RAM lists too when a noticed drive belongs to them.
void RefreshAfterDriveNotices(Program& p);

} // namespace trelvix
