#include "app/Program.h"
#include "launch/LaunchConventions.h"
#include "platform/win32/Unicode.h"
#include "platform/win32/Win32Ports.h"
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
        fs::copy_file(fs::path(self).replace_filename("echo_args.exe"), helper,
                      fs::copy_options::overwrite_existing);
    }
    void TearDown() override { fs::remove_all(folder); }

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
    const std::pair<std::string, int> rows[] = {{" a b", 5}, {" \"two words\" ключ", 0}, {"", 7}};
    for (const auto& [arguments, show] : rows) {
        const std::string commandLine =
            "\"" + Utf8(helper) + "\" \"" + Utf8(output) + "\"" + arguments;
        ASSERT_TRUE(shell.RunCommandLine(commandLine, show));
        EXPECT_EQ(Record(), commandLine + "\n" + std::to_string(show) + "\n1\n");
    }
    EXPECT_FALSE(shell.RunCommandLine("\"" + Utf8(folder / "missing.exe") + "\" a", 5));
    EXPECT_FALSE(shell.Open(Utf8(folder / "missing.exe"), std::nullopt, 1));
}

// A catalogue entry of the system folder, started by the program over the real ports with
// its parameters: the folder is the whole system32 path.
TEST_F(ShellTest, SystemFolderLaunchStartsTheProgramThere) {
    win32::Win32Ports ports;
    trelvix::Program program(ports.Ports());
    const fs::path system = win32::Widen(shell.SystemDirectory());
    EXPECT_EQ(lstrcmpiW(system.filename().c_str(), L"system32"), 0) << Utf8(system);
    fs::copy_file(helper, system / "trelvix_echo.exe", fs::copy_options::overwrite_existing);
    trelvix::LaunchInSystemDirectory(program, "\\trelvix_echo.exe", "\"" + Utf8(output) + "\" p1");
    const std::string record = Record();
    fs::remove(system / "trelvix_echo.exe");
    EXPECT_NE(record.find(Utf8(system / "trelvix_echo.exe")), std::string::npos) << record;
    EXPECT_NE(record.find(" p1\n1\n"), std::string::npos) << "shown normally: " << record;
}

// A link opened with a verb or the default one: the shell starts what it names with the show
// mode given; a link to nothing is refused with the system's reason.
TEST_F(ShellTest, LinksOpenWithTheirVerbAndShowModeAndARefusalSaysWhy) {
    const fs::path record = folder / "echo_args.out";
    const std::tuple<const char*, port::ShellOwner, int> rows[] = {
        {"open", port::ShellOwner::None, 1}, {"", port::ShellOwner::ActiveWindow, 5}};
    for (const auto& [verb, owner, show] : rows) {
        std::string reason;
        ASSERT_TRUE(shell.OpenLink(verb, Utf8(helper), owner, show, reason)) << reason;
        for (int i = 0; i < 200 && !fs::exists(record); ++i)
            Sleep(50);
        std::ostringstream lines;
        lines << std::ifstream(record).rdbuf();
        fs::remove(record);
        EXPECT_NE(lines.str().find("\n" + std::to_string(show) + "\n1\n"), std::string::npos)
            << verb << ": " << lines.str();
    }
    std::string reason;
    EXPECT_FALSE(
        shell.OpenLink("open", Utf8(folder / "missing.exe"), port::ShellOwner::None, 1, reason));
    EXPECT_FALSE(reason.empty());
    EXPECT_EQ(reason.find("successfully"), std::string::npos) << reason;
}

} // namespace
