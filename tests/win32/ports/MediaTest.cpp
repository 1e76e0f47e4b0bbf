#include "app/Program.h"
#include "platform/win32/Win32Media.h"
#include "platform/win32/Win32Ports.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The test prefix has no CD drive: the command fails at once, without waiting for a door,
// and says why.
TEST(MediaTest, DoorCommandWithoutACdAudioDeviceReturnsAnError) {
    win32::Win32Media media;
    for (const char* command : {"Set cdaudio door open wait", "Set cdaudio door closed wait"}) {
        std::string reason;
        EXPECT_NE(media.SendCommand(command, reason), 0u) << command;
        EXPECT_FALSE(reason.empty()) << command;
    }
}

// Asks for nothing and answers No, so no test waits on a box.
class RecordingDesktop : public port::Desktop {
  public:
    int MessageBox(const std::string& text, const std::string&, unsigned) override {
        boxes.push_back(text);
        return 7; // IDNO
    }
    port::Point CursorPos() override { return {}; }
    port::ModifierKeys KeyState() override { return {}; }
    std::vector<std::string> boxes;
};

// A letter that is no network drive: the system's refusal is not "files are open", so the
// program over the real ports cancels once, asks nothing and tells why it failed.
TEST(MediaTest, DisconnectOfALetterThatIsNoNetworkDriveAsksNothing) {
    win32::Win32Media media;
    std::string reason;
    const int code = media.CancelConnection("Q:", false, reason);
    EXPECT_NE(code, 0);
    EXPECT_NE(code, port::ErrorOpenFiles);
    EXPECT_FALSE(reason.empty());

    win32::Win32Ports real;
    RecordingDesktop desktop;
    port::Ports& r = real.Ports();
    port::Ports ports{r.registry, r.drives, r.files,  r.shell, r.power,
                      r.tray,     r.media,  r.system, desktop, r.bitmaps};
    trelvix::Program program(ports);
    program.Start();
    desktop.boxes.clear();
    trelvix::TMainForm& f = *program.MainForm;
    f.ListBox3.SetItems({"Q: Access Denied"});
    f.ListBox3.SelectItem(0);
    f.Disc1.Click();
    EXPECT_EQ(desktop.boxes,
              std::vector<std::string>{tk::ErrorBoxText("Q: was not disconnected: " + reason)})
        << "no question";
    EXPECT_TRUE(f.ListBox3.Items().empty()) << "the lists were surveyed again";
}

} // namespace
