#include "platform/win32/Unicode.h"
#include "platform/win32/Win32Shell.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <sstream>

namespace {

using win32::Narrow;
using win32::Widen;

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string TempFolder() {
    wchar_t path[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, path);
    return Narrow(path);
}

// The helper beside the test program.
std::string HelperBesideMe() {
    wchar_t path[32768] = {};
    GetModuleFileNameW(nullptr, path, 32768);
    std::wstring folder = path;
    folder.erase(folder.find_last_of(L'\\') + 1);
    return Narrow(folder) + "echo_args.exe";
}

// The three lines the helper writes: command line, show mode, whether it was asked for.
struct Record {
    std::string commandLine;
    int show = -1;
    bool showGiven = false;
};

std::optional<Record> WaitForRecord(const std::string& path) {
    const std::wstring wide = Widen(path);
    for (int i = 0; i < 200 && GetFileAttributesW(wide.c_str()) == INVALID_FILE_ATTRIBUTES; ++i)
        Sleep(50);
    HANDLE file = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    std::string bytes(65536, '\0');
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    DeleteFileW(wide.c_str());
    bytes.resize(read);
    std::istringstream lines(bytes);
    Record record;
    std::string show, given;
    std::getline(lines, record.commandLine);
    std::getline(lines, show);
    std::getline(lines, given);
    record.show = std::stoi(show);
    record.showGiven = given == "1";
    return record;
}

class ShellTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // A copy in a folder whose name needs quoting and the wide calls.
        folder = TempFolder() + "Trelvix ü 日本";
        CreateDirectoryW(Widen(folder).c_str(), nullptr);
        helper = folder + "\\echo_args.exe";
        ASSERT_TRUE(CopyFileW(Widen(HelperBesideMe()).c_str(), Widen(helper).c_str(), FALSE))
            << HelperBesideMe();
        output = TempFolder() + "echo ü.txt";
        DeleteFileW(Widen(output).c_str());
    }
    void TearDown() override {
        SetEnvironmentVariableW(L"TRELVIX_ECHO_ARGS_OUT", nullptr);
        DeleteFileW(Widen(output).c_str());
        DeleteFileW(Widen(helper).c_str());
        RemoveDirectoryW(Widen(folder).c_str());
    }

    win32::Win32Shell shell;
    std::string folder, helper, output;
};

TEST_F(ShellTest, RunCommandLineStartsTheProgramAsAsked) {
    struct Row {
        std::string arguments;
        int show;
    };
    const Row rows[] = {
        {" a b", 5},
        {" \"two words\" ключ", 5},
        {"", 0},
        {" x", 7},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.arguments);
        const std::string commandLine = "\"" + helper + "\" \"" + output + "\"" + row.arguments;
        ASSERT_TRUE(shell.RunCommandLine(commandLine, row.show));
        const auto record = WaitForRecord(output);
        ASSERT_TRUE(record.has_value()) << "the helper did not run";
        EXPECT_EQ(record->commandLine, commandLine);
        EXPECT_EQ(record->show, row.show);
        EXPECT_TRUE(record->showGiven);
    }
}

TEST_F(ShellTest, RunCommandLineReportsWhatCannotStart) {
    EXPECT_FALSE(shell.RunCommandLine("", 5));
    EXPECT_FALSE(shell.RunCommandLine("\"" + folder + "\\missing.exe\" a", 5));
    EXPECT_FALSE(shell.RunCommandLine("trelvix_no_such_program_anywhere", 5));
}

TEST_F(ShellTest, OpenStartsTheFileWithItsParameters) {
    ASSERT_TRUE(shell.Open(helper, "\"" + output + "\" p1", 1));
    auto record = WaitForRecord(output);
    ASSERT_TRUE(record.has_value()) << "the helper did not run";
    EXPECT_NE(record->commandLine.find("p1"), std::string::npos) << record->commandLine;
    EXPECT_EQ(record->show, 1);

    // Without parameters the helper finds its output file in the environment it inherits.
    SetEnvironmentVariableW(L"TRELVIX_ECHO_ARGS_OUT", Widen(output).c_str());
    ASSERT_TRUE(shell.Open(helper, std::nullopt, 1));
    record = WaitForRecord(output);
    ASSERT_TRUE(record.has_value()) << "the helper did not run";
}

TEST_F(ShellTest, OpenOfAMissingFileFails) {
    EXPECT_FALSE(shell.Open(folder + "\\missing.exe", std::nullopt, 1));
}

TEST(SystemDirectoryTest, IsTheWholeExistingSystem32Folder) {
    const std::string path = win32::Win32Shell().SystemDirectory();
    ASSERT_GT(path.size(), 9u);
    EXPECT_EQ(Lower(path.substr(path.size() - 9)), "\\system32");
    const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(attributes & FILE_ATTRIBUTE_DIRECTORY, 0u);
    // What the program composes from it names real files.
    EXPECT_NE(GetFileAttributesW(Widen(path + "\\cmd.exe").c_str()), INVALID_FILE_ATTRIBUTES);
}

} // namespace
