#include "contract/FilesContract.h"
#include "fakes/FakeFiles.h"

namespace {

class FakeTree : public contract::Tree {
  public:
    port::Files& Port() override { return files_; }
    std::string Root() override {
        files_.AddFolder("C:\\contract");
        return "C:\\contract";
    }
    void Folder(const std::string& path) override { files_.AddFolder(path); }
    void File(const std::string& path, std::uint32_t attributes) override {
        files_.AddFile(path, 1, attributes);
    }
    void FolderLink(const std::string& link, const std::string& target) override {
        files_.AddLink(link, target);
    }
    bool Move(const std::string& from, const std::string& to) override {
        return files_.Move(from, to);
    }
    bool Exists(const std::string& path) override { return files_.Exists(path); }

  private:
    fakes::FakeFiles files_;
};

class FakeFilesContract : public ::testing::TestWithParam<contract::Row> {};

TEST_P(FakeFilesContract, KeepsWhatTheRealPortKeeps) {
    FakeTree tree;
    GetParam().check(tree);
}

INSTANTIATE_TEST_SUITE_P(Rows, FakeFilesContract, ::testing::ValuesIn(contract::Rows),
                         contract::RowName);

} // namespace
