#pragma once

// The file port's contract (the top of platform/Files.h) as one table, run against the fake in
// the native tier and against the real port under Wine: the fake may be neither stricter nor
// looser than Windows, or the walks' tests prove nothing.

#include "cleanup/FolderWalk.h"
#include "platform/Files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace contract {

// A tree to try the port on, arranged as another program would arrange it.
class Tree {
  public:
    virtual ~Tree() = default;
    virtual port::Files& Port() = 0;
    // An empty plain folder of the test's own, reached by exactly this path.
    virtual std::string Root() = 0;
    virtual void Folder(const std::string& path) = 0;
    virtual void File(const std::string& path, std::uint32_t attributes) = 0;
    // A link at `link` to the folder `target`.
    virtual void FolderLink(const std::string& link, const std::string& target) = 0;
    // Renames an entry; false when the system refused.
    virtual bool Move(const std::string& from, const std::string& to) = 0;
    // Links on the way followed, the last name taken as itself.
    virtual bool Exists(const std::string& path) = 0;
};

struct Row {
    const char* name;
    void (*check)(Tree& tree);
    // Why Wine cannot show the row; nullptr where it can.
    const char* notUnderWine = nullptr;
};

// The place a test works in, and a folder outside it that a link in the place leads to.
struct Arranged {
    std::string place, outside, link;
};

inline Arranged Arrange(Tree& tree) {
    const std::string root = tree.Root();
    Arranged a{root + "\\place", root + "\\outside", root + "\\place\\link"};
    tree.Folder(a.place);
    tree.Folder(a.outside);
    tree.Folder(a.outside + "\\inner");
    tree.Folder(a.outside + "\\empty");
    tree.File(a.outside + "\\keep.txt", port::attr::Archive);
    tree.File(a.outside + "\\inner\\inner.txt", port::attr::Archive);
    tree.FolderLink(a.link, a.outside);
    return a;
}

inline std::vector<std::string> NamesOf(const port::FolderListing& listing) {
    std::vector<std::string> names;
    for (const port::FolderEntry& entry : listing.entries)
        if (entry.name != "." && entry.name != "..")
            names.push_back(entry.name);
    std::sort(names.begin(), names.end());
    return names;
}

inline void HeldListingRefusesAPathThroughALink(Tree& tree) {
    const Arranged a = Arrange(tree);
    const port::FolderListing listing = tree.Port().ListFolder(a.link + "\\inner", true);
    EXPECT_EQ(listing.kind, port::FolderKind::Link);
    EXPECT_TRUE(listing.entries.empty());
    EXPECT_EQ(listing.hold, nullptr);
}

inline void UnheldListingFollowsALinkOnTheWay(Tree& tree) {
    const Arranged a = Arrange(tree);
    const port::FolderListing listing = tree.Port().ListFolder(a.link + "\\inner", false);
    EXPECT_EQ(listing.kind, port::FolderKind::Folder);
    EXPECT_EQ(NamesOf(listing), std::vector<std::string>{"inner.txt"});
    EXPECT_EQ(listing.hold, nullptr);
}

inline void HeldListingOfALinkIsALink(Tree& tree) {
    const Arranged a = Arrange(tree);
    EXPECT_EQ(tree.Port().ListFolder(a.link, true).kind, port::FolderKind::Link);
}

inline void UnheldListingOfALinkIsALink(Tree& tree) {
    const Arranged a = Arrange(tree);
    const port::FolderListing listing = tree.Port().ListFolder(a.link, false);
    EXPECT_EQ(listing.kind, port::FolderKind::Link);
    EXPECT_TRUE(listing.entries.empty());
}

inline void AListingTellsALinkEntryApart(Tree& tree) {
    const Arranged a = Arrange(tree);
    const port::FolderListing listing = tree.Port().ListFolder(a.place, true);
    ASSERT_EQ(listing.kind, port::FolderKind::Folder);
    EXPECT_EQ(listing.endCode, port::NoMoreFiles);
    const auto link = std::find_if(listing.entries.begin(), listing.entries.end(),
                                   [](const port::FolderEntry& e) { return e.name == "link"; });
    ASSERT_NE(link, listing.entries.end());
    constexpr std::uint32_t FolderLink = port::attr::Directory | port::attr::ReparsePoint;
    EXPECT_EQ(link->attributes & FolderLink, FolderLink);
}

inline void ChangesThroughALinkAreRefused(Tree& tree) {
    const Arranged a = Arrange(tree);
    port::Files& files = tree.Port();
    EXPECT_FALSE(files.SetAttributes(a.link + "\\keep.txt", port::attr::ReadOnly));
    EXPECT_FALSE(files.RemoveFile(a.link + "\\keep.txt"));
    EXPECT_FALSE(files.RemoveFolder(a.link + "\\empty"));
    EXPECT_TRUE(tree.Exists(a.outside + "\\keep.txt"));
    EXPECT_TRUE(tree.Exists(a.outside + "\\empty"));
    EXPECT_EQ(files.ListFolder(a.outside, true).kind, port::FolderKind::Folder);
}

inline void AFolderLinkIsRemovedAsTheLink(Tree& tree) {
    const Arranged a = Arrange(tree);
    EXPECT_FALSE(tree.Port().RemoveFile(a.link)) << "not a file";
    EXPECT_TRUE(tree.Port().RemoveFolder(a.link));
    EXPECT_FALSE(tree.Exists(a.link));
    EXPECT_TRUE(tree.Exists(a.outside + "\\keep.txt"));
}

inline void AHeldFolderStaysInPlaceUntilItIsLetGo(Tree& tree) {
    const Arranged a = Arrange(tree);
    const std::string held = a.place + "\\held", moved = a.place + "\\moved";
    tree.Folder(held);
    port::FolderListing listing = tree.Port().ListFolder(held, true);
    ASSERT_EQ(listing.kind, port::FolderKind::Folder);
    ASSERT_NE(listing.hold, nullptr);
    EXPECT_FALSE(tree.Move(held, moved));
    EXPECT_FALSE(tree.Port().RemoveFolder(held)) << "not even by this program";
    listing.hold.reset();
    EXPECT_TRUE(tree.Move(held, moved));
    EXPECT_TRUE(tree.Port().RemoveFolder(moved));
}

inline void AnUnheldListingHoldsNothing(Tree& tree) {
    const Arranged a = Arrange(tree);
    const std::string listed = a.place + "\\listed";
    tree.Folder(listed);
    const port::FolderListing listing = tree.Port().ListFolder(listed, false);
    ASSERT_EQ(listing.kind, port::FolderKind::Folder);
    EXPECT_EQ(listing.hold, nullptr);
    EXPECT_TRUE(tree.Move(listed, a.place + "\\moved"));
}

inline void ChangesActOnlyOnTheKindAsked(Tree& tree) {
    const Arranged a = Arrange(tree);
    port::Files& files = tree.Port();
    const std::string file = a.place + "\\file.txt", folder = a.place + "\\folder";
    tree.File(file, port::attr::ReadOnly);
    tree.Folder(folder);
    tree.File(folder + "\\inner.txt", port::attr::Archive);
    EXPECT_FALSE(files.RemoveFile(file)) << "read-only";
    EXPECT_TRUE(files.SetAttributes(file, port::attr::Archive));
    EXPECT_FALSE(files.RemoveFolder(file));
    EXPECT_TRUE(files.RemoveFile(file));
    EXPECT_FALSE(files.RemoveFile(folder));
    EXPECT_FALSE(files.RemoveFolder(folder)) << "not empty";
    EXPECT_TRUE(files.RemoveFile(folder + "\\inner.txt"));
    EXPECT_TRUE(files.RemoveFolder(folder));
    EXPECT_EQ(files.ListFolder(a.outside + "\\keep.txt", true).kind, port::FolderKind::NotFolder);
    EXPECT_EQ(files.ListFolder(a.place + "\\missing", true).kind, port::FolderKind::Unopened);
}

inline void OnlyPathsInOneSpellingAreTaken(Tree& tree) {
    const Arranged a = Arrange(tree);
    port::Files& files = tree.Port();
    const std::string other[] = {
        a.outside + "\\.\\inner",
        a.place + "\\..\\outside\\inner",
        a.outside + "\\\\inner",
        "relative\\outside\\inner",
    };
    for (const std::string& path : other) {
        EXPECT_EQ(files.ListFolder(path, false).kind, port::FolderKind::Unopened) << path;
        EXPECT_FALSE(files.RemoveFile(path + "\\inner.txt")) << path;
        EXPECT_FALSE(files.SetAttributes(path + "\\inner.txt", port::attr::ReadOnly)) << path;
    }
    EXPECT_TRUE(tree.Exists(a.outside + "\\inner\\inner.txt"));
}

inline const port::FolderEntry& Entry(const port::FolderListing& listing, const std::string& name) {
    const auto found = std::find_if(listing.entries.begin(), listing.entries.end(),
                                    [&](const port::FolderEntry& e) { return e.name == name; });
    if (found == listing.entries.end())
        throw std::logic_error("not listed: " + name);
    return *found;
}

inline void AHoldRemovesListedFilesWhateverTheirAttributes(Tree& tree) {
    const Arranged a = Arrange(tree);
    tree.File(a.place + "\\plain.tmp", port::attr::Archive);
    tree.File(a.place + "\\readonly.tmp", port::attr::ReadOnly);
    tree.File(a.place + "\\hidden.tmp", port::attr::Hidden | port::attr::System);
    tree.Folder(a.place + "\\folder");
    const port::FolderListing listing = tree.Port().ListFolder(a.place, true);
    ASSERT_NE(listing.hold, nullptr);
    const struct {
        const char* name;
        bool removed;
    } rows[] = {{"plain.tmp", true},
                {"readonly.tmp", true},
                {"hidden.tmp", true},
                {"folder", false},
                {"link", false}};
    for (const auto& row : rows) {
        EXPECT_EQ(listing.hold->RemoveFile(Entry(listing, row.name)), row.removed) << row.name;
        EXPECT_EQ(tree.Exists(a.place + "\\" + row.name), !row.removed) << row.name;
    }
    EXPECT_TRUE(tree.Exists(a.outside + "\\keep.txt"));
}

// Another program swaps a listed file for one of the user's before the removal.
inline void AHoldRefusesAFileSwappedAfterTheListing(Tree& tree) {
    const Arranged a = Arrange(tree);
    const std::string swapped = a.place + "\\swapped.tmp";
    tree.File(swapped, port::attr::Archive);
    const port::FolderListing before = tree.Port().ListFolder(a.place, true);
    ASSERT_NE(before.hold, nullptr);
    ASSERT_TRUE(tree.Move(swapped, a.place + "\\listed.tmp"));
    ASSERT_TRUE(tree.Move(a.outside + "\\keep.txt", swapped));
    EXPECT_FALSE(before.hold->RemoveFile(Entry(before, "swapped.tmp")));
    EXPECT_TRUE(tree.Exists(swapped));
    const port::FolderListing after = tree.Port().ListFolder(a.place, true);
    ASSERT_NE(after.hold, nullptr);
    EXPECT_TRUE(after.hold->RemoveFile(Entry(after, "swapped.tmp"))) << "listed as it is now";
}

// A port that tries, after every listing, to move the listed folder away as another program
// would, and puts it back when that worked.
class MovingAfterListing : public port::Files {
  public:
    MovingAfterListing(Tree& tree) : tree_(tree), files_(tree.Port()) {}
    std::vector<std::string> moved;

    port::FolderListing ListFolder(const std::string& folder, bool hold) override {
        port::FolderListing listing = files_.ListFolder(folder, hold);
        if (listing.kind == port::FolderKind::Folder && tree_.Move(folder, folder + " moved")) {
            moved.push_back(folder);
            tree_.Move(folder + " moved", folder);
        }
        return listing;
    }
    std::string TempPath() override { return files_.TempPath(); }
    bool FileExists(const std::string& path) override { return files_.FileExists(path); }
    port::FileOpening TryOpenFile(const std::string& path) override {
        return files_.TryOpenFile(path);
    }
    bool MakeDirectory(const std::string& path) override { return files_.MakeDirectory(path); }
    std::string FinalPath(const std::string& path) override { return files_.FinalPath(path); }
    bool SetAttributes(const std::string& path, std::uint32_t attributes) override {
        return files_.SetAttributes(path, attributes);
    }
    bool RemoveFile(const std::string& path) override { return files_.RemoveFile(path); }
    bool RemoveFolder(const std::string& path) override { return files_.RemoveFolder(path); }
    std::string KnownFolderPath(port::KnownFolder folder) override {
        return files_.KnownFolderPath(folder);
    }
    std::vector<std::string> ProfileFolders() override { return files_.ProfileFolders(); }
    std::vector<std::string> OneDriveFolders() override { return files_.OneDriveFolders(); }
    port::RecycleBinContent QueryRecycleBin() override { return files_.QueryRecycleBin(); }
    bool EmptyRecycleBin() override { return files_.EmptyRecycleBin(); }
    std::unique_ptr<port::AppendableFile> OpenToAppend(const std::string& path,
                                                       std::string& reason) override {
        return files_.OpenToAppend(path, reason);
    }
    bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes) override {
        return files_.ReadWholeFile(path, bytes);
    }
    bool CopyFileNew(const std::string& from, const std::string& to, std::string& reason) override {
        return files_.CopyFileNew(from, to, reason);
    }
    bool MoveToRecycleBin(const std::string& path, std::string& reason) override {
        return files_.MoveToRecycleBin(path, reason);
    }
    bool WriteWholeFile(const std::string& path, const std::vector<std::uint8_t>& bytes,
                        std::string& reason) override {
        return files_.WriteWholeFile(path, bytes, reason);
    }

  private:
    Tree& tree_;
    port::Files& files_;
};

// Nothing can be put in the place of a folder the deletion walk is emptying.
inline void ADeletionWalkHoldsEveryFolderItLists(Tree& tree) {
    const Arranged a = Arrange(tree);
    tree.Folder(a.place + "\\a");
    tree.Folder(a.place + "\\a\\b");
    tree.File(a.place + "\\a\\b\\deep.txt", port::attr::Archive);
    tree.File(a.place + "\\top.txt", port::attr::Archive);
    MovingAfterListing files(tree);
    trelvix::DeleteFolderContent(files, a.place, {});
    EXPECT_EQ(files.moved, std::vector<std::string>{});
    EXPECT_FALSE(tree.Exists(a.place + "\\a"));
    EXPECT_FALSE(tree.Exists(a.place + "\\top.txt"));
    EXPECT_TRUE(tree.Exists(a.place));
    EXPECT_TRUE(tree.Exists(a.outside + "\\inner\\inner.txt"));
}

inline constexpr const char* WineFollowsUnixLinks =
    "Wine follows a Unix link at the last name of a listing that does not hold its folder";
inline constexpr const char* WineKeepsUnixLinks =
    "Wine cannot remove a link made from the Linux side as itself";

inline const Row Rows[] = {
    {"HeldListingRefusesAPathThroughALink", &HeldListingRefusesAPathThroughALink},
    {"UnheldListingFollowsALinkOnTheWay", &UnheldListingFollowsALinkOnTheWay},
    {"HeldListingOfALinkIsALink", &HeldListingOfALinkIsALink},
    {"UnheldListingOfALinkIsALink", &UnheldListingOfALinkIsALink, WineFollowsUnixLinks},
    {"AListingTellsALinkEntryApart", &AListingTellsALinkEntryApart},
    {"ChangesThroughALinkAreRefused", &ChangesThroughALinkAreRefused},
    {"AFolderLinkIsRemovedAsTheLink", &AFolderLinkIsRemovedAsTheLink, WineKeepsUnixLinks},
    {"AHeldFolderStaysInPlaceUntilItIsLetGo", &AHeldFolderStaysInPlaceUntilItIsLetGo},
    {"AnUnheldListingHoldsNothing", &AnUnheldListingHoldsNothing},
    {"ChangesActOnlyOnTheKindAsked", &ChangesActOnlyOnTheKindAsked},
    {"OnlyPathsInOneSpellingAreTaken", &OnlyPathsInOneSpellingAreTaken},
    {"ADeletionWalkHoldsEveryFolderItLists", &ADeletionWalkHoldsEveryFolderItLists},
    {"AHoldRemovesListedFilesWhateverTheirAttributes",
     &AHoldRemovesListedFilesWhateverTheirAttributes},
    {"AHoldRefusesAFileSwappedAfterTheListing", &AHoldRefusesAFileSwappedAfterTheListing},
};

inline void PrintTo(const Row& row, std::ostream* out) {
    *out << row.name;
}

inline std::string RowName(const ::testing::TestParamInfo<Row>& info) {
    return info.param.name;
}

} // namespace contract
