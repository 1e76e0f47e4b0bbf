#include "contract/FilesContract.h"
#include "platform/win32/Win32Files.h"
#include "win32/UnixSide.h"

namespace {

using win32::Widen;

std::wstring Verbatim(const std::string& path) {
    return L"\\\\?\\" + Widen(path);
}

// A real tree in the prefix's temporary folder; links are made from the Linux side under Wine.
class RealTree : public contract::Tree {
  public:
    explicit RealTree(std::string root) : root_(std::move(root)) {}
    ~RealTree() override { Clear(); }
    RealTree(const RealTree&) = delete;
    RealTree& operator=(const RealTree&) = delete;

    static bool UnderWine() { return !win32::UnixName("C:\\").empty(); }

    port::Files& Port() override { return files_; }
    std::string Root() override {
        Clear();
        Folder(root_);
        return root_;
    }
    void Folder(const std::string& path) override {
        ASSERT_TRUE(CreateDirectoryW(Verbatim(path).c_str(), nullptr)) << path;
    }
    void File(const std::string& path, std::uint32_t attributes) override {
        const win32::UniqueHandle file(CreateFileW(Verbatim(path).c_str(), GENERIC_WRITE, 0,
                                                   nullptr, CREATE_ALWAYS, attributes, nullptr));
        ASSERT_TRUE(file) << path;
    }
    void FolderLink(const std::string& link, const std::string& target) override {
        if (UnderWine())
            win32::MakeUnixLink(link, target);
        else
            ASSERT_TRUE(CreateSymbolicLinkW(Verbatim(link).c_str(), Verbatim(target).c_str(),
                                            SYMBOLIC_LINK_FLAG_DIRECTORY |
                                                SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE));
        ASSERT_TRUE(Exists(link)) << link;
    }
    bool Move(const std::string& from, const std::string& to) override {
        return MoveFileW(Verbatim(from).c_str(), Verbatim(to).c_str()) != FALSE;
    }
    bool Exists(const std::string& path) override {
        return GetFileAttributesW(Verbatim(path).c_str()) != INVALID_FILE_ATTRIBUTES;
    }

  private:
    void Clear() {
        if (Exists(root_) && UnderWine())
            win32::RemoveTreeFromUnix(root_);
    }

    win32::Win32Files files_;
    std::string root_;
};

class FilesContract : public ::testing::TestWithParam<contract::Row> {};

TEST_P(FilesContract, TheRealPortKeepsIt) {
    if (GetParam().notUnderWine != nullptr && RealTree::UnderWine())
        GTEST_SKIP() << GetParam().notUnderWine;
    win32::Win32Files files;
    RealTree tree(files.TempPath() + "Trelvix contract ü " + GetParam().name);
    GetParam().check(tree);
}

INSTANTIATE_TEST_SUITE_P(Rows, FilesContract, ::testing::ValuesIn(contract::Rows),
                         contract::RowName);

} // namespace
