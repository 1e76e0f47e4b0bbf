#include "platform/win32/Win32Media.h"

#include <gtest/gtest.h>

#include <string>

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

// A letter that is no network drive: the system's refusal is not "files are open", so the
// program asks nothing.
TEST(MediaTest, CancellingALetterThatIsNoNetworkDriveFailsWithAReason) {
    win32::Win32Media media;
    std::string reason;
    const int code = media.CancelConnection("Q:", false, reason);
    EXPECT_NE(code, 0);
    EXPECT_NE(code, port::ErrorOpenFiles);
    EXPECT_FALSE(reason.empty());
}

} // namespace
