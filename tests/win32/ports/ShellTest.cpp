#include "app/Program.h"
#include "launch/LaunchConventions.h"
#include "platform/win32/Unicode.h"
#include "platform/win32/Win32Ports.h"
#include "platform/win32/SystemMessage.h"
#include "platform/win32/Win32Shell.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <tuple>

namespace {

namespace fs = std::filesystem;

std::string Utf8(const fs::path& path) {
    return win32::Narrow(path.wstring());
}

// tests/win32/helpers/echo_args.exe, copied into a folder whose name needs quoting and the
// wide calls; it writes how it was started into the file named by its first argument.
class ShellTest : public ::testing::Test {
  protected:
    void SetUp() override {
        wchar_t self[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, self, MAX_PATH);
        fs::create_directories(folder);
        const fs::path source = fs::path(self).replace_filename("echo_args.exe");
        ASSERT_TRUE(Retried([&](std::error_code& e) {
            fs::copy_file(source, helper, fs::copy_options::overwrite_existing, e);
        }));
    }
    void TearDown() override {
        EXPECT_TRUE(Retried([&](std::error_code& e) { fs::remove_all(folder, e); }));
    }

    // The helper writes its record before it exits: until it is gone, its file stays
    // locked, so a file operation on it is tried again for a while.
    template <typename Operation> static bool Retried(Operation operation) {
        std::error_code error;
        for (int i = 0; i < 100; ++i, Sleep(50)) {
            operation(error);
            if (!error)
                return true;
        }
        return false;
    }

    // What the helper wrote, once it did: command line, show mode, "1" when one was given.
    std::string Record() {
        for (int i = 0; i < 200 && !fs::exists(output); ++i)
            Sleep(50);
        std::ostringstream lines;
        lines << std::ifstream(output).rdbuf();
        fs::remove(output);
        return lines.str();
    }

    win32::Win32Shell shell;
    const fs::path folder = fs::temp_directory_path() / L"Trelvix ü 日本";
    const fs::path helper = folder / "echo_args.exe", output = folder / L"echo ü.txt";
};

TEST_F(ShellTest, RunCommandLineStartsTheProgramWithItsCommandLineAndShowMode) {
    const std::tuple<std::string, port::ShowMode, int> rows[] = {
        {" a b", port::ShowMode::Shown, SW_SHOW},
        {" \"two words\" ключ", port::ShowMode::Hidden, SW_HIDE},
        {"", port::ShowMode::Normal, SW_SHOWNORMAL},
    };
    for (const auto& [arguments, show, number] : rows) {
        const std::string commandLine =
            "\"" + Utf8(helper) + "\" \"" + Utf8(output) + "\"" + arguments;
        ASSERT_TRUE(shell.RunCommandLine(commandLine, show).started);
        EXPECT_EQ(Record(), commandLine + "\n" + std::to_string(number) + "\n1\n");
    }
}

// A refused launch comes back with the system's reason; the shell shows no box of its own
// (one would hold this test up).
TEST_F(ShellTest, RefusedLaunchesGiveTheSystemsReason) {
    const std::string missing = Utf8(folder / "missing.exe");
    const port::LaunchResult results[] = {
        shell.RunCommandLine("\"" + missing + "\" a", port::ShowMode::Shown),
        shell.Open(missing, std::nullopt, port::ShowMode::Normal),
        shell.Open(missing, "a", port::ShowMode::Normal),
    };
    for (const port::LaunchResult& result : results) {
        EXPECT_FALSE(result.started);
        EXPECT_EQ(result.reason, win32::SystemMessage(ERROR_FILE_NOT_FOUND));
    }
    const port::LaunchResult empty = shell.RunCommandLine("", port::ShowMode::Shown);
    EXPECT_FALSE(empty.started);
    EXPECT_FALSE(empty.reason.empty());
}

// A catalogue entry of the system folder, started by the program over the real ports with
// its parameters: the folder is the whole system32 path.
TEST_F(ShellTest, SystemFolderLaunchStartsTheProgramThere) {
    win32::Win32Ports ports;
    trelvix::Program program(ports.Ports());
    const fs::path system = win32::Widen(shell.SystemDirectory());
    EXPECT_EQ(lstrcmpiW(system.filename().c_str(), L"system32"), 0) << Utf8(system);
    ASSERT_TRUE(Retried([&](std::error_code& e) {
        fs::copy_file(helper, system / "trelvix_echo.exe", fs::copy_options::overwrite_existing, e);
    }));
    trelvix::LaunchInSystemDirectory(program, "\\trelvix_echo.exe", "\"" + Utf8(output) + "\" p1");
    const std::string record = Record();
    EXPECT_TRUE(Retried([&](std::error_code& e) { fs::remove(system / "trelvix_echo.exe", e); }));
    EXPECT_NE(record.find(Utf8(system / "trelvix_echo.exe")), std::string::npos) << record;
    EXPECT_NE(record.find(" p1\n1\n"), std::string::npos) << "shown normally: " << record;
}

// A link opened with a verb or the default one: the shell starts what it names with the show
// mode given; a link to nothing is refused with the system's reason.
TEST_F(ShellTest, LinksOpenWithTheirVerbAndShowModeAndARefusalSaysWhy) {
    const fs::path record = folder / "echo_args.out";
    const std::tuple<const char*, port::ShellOwner, port::ShowMode, int> rows[] = {
        {"open", port::ShellOwner::None, port::ShowMode::Normal, SW_SHOWNORMAL},
        {"", port::ShellOwner::ActiveWindow, port::ShowMode::Shown, SW_SHOW}};
    for (const auto& [verb, owner, mode, show] : rows) {
        const port::LaunchResult opened = shell.OpenLink(verb, Utf8(helper), owner, mode);
        ASSERT_TRUE(opened.started) << opened.reason;
        for (int i = 0; i < 200 && !fs::exists(record); ++i)
            Sleep(50);
        std::ostringstream lines;
        lines << std::ifstream(record).rdbuf();
        fs::remove(record);
        EXPECT_NE(lines.str().find("\n" + std::to_string(show) + "\n1\n"), std::string::npos)
            << verb << ": " << lines.str();
    }
    const port::LaunchResult refused = shell.OpenLink(
        "open", Utf8(folder / "missing.exe"), port::ShellOwner::None, port::ShowMode::Normal);
    EXPECT_FALSE(refused.started);
    EXPECT_FALSE(refused.reason.empty());
    EXPECT_EQ(refused.reason.find("successfully"), std::string::npos) << refused.reason;
}

} // namespace
