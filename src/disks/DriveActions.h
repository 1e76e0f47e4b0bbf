#pragma once

#include <functional>
#include <optional>
#include <string>

namespace port {
class Drives;
class Media;
} // namespace port

namespace tk {
class ListBox;
} // namespace tk

namespace trelvix {

class Program;

// What the user does to one drive from the drive lists and the tray menu. Every action
// takes its drive from the first two characters of a list's line ("C:").

// Double click on a line: Explorer on its drive. The separator, the General line, the
// removable list's prompt line and no selection open nothing.
void OpenDriveInExplorer(Program& p, const tk::ListBox& list);

// The CD tray of the default CD audio device, whatever line is selected; a box tells why
// it did not move.
void EjectCdrom(Program& p);
void CloseCdrom(Program& p);
// Opens or closes the tray; returns once it has moved. The device's reason when it did not.
std::optional<std::string> MoveCdDoor(port::Media& media, bool open);

// The network list's Disconnect: cancels the connection off the window's thread, asks
// before forcing one with open files, surveys the drives again, then tells why the
// connection stayed against the user's wish.
void DisconnectNetworkDrive(Program& p);

// "Change Volume Label" of the fixed and the removable list: the volume-label dialog for
// the selected drive.
void ChangeFixedVolumeLabel(Program& p);
void ChangeRemovableVolumeLabel(Program& p);
// Gives `drive` ("C:") the label, unchanged, empty included. The system's reason when it
// refused.
std::optional<std::string> WriteVolumeLabel(port::Drives& drives, const std::string& drive,
                                            const std::string& label);
// Tells the user why a drive action did not happen, in the standard error box.
void ShowRefusal(Program& p, const std::string& what, const std::string& reason);

} // namespace trelvix
