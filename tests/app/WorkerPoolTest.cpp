#include "cleanup/CleanupMachine.h"
#include "disks/DriveQueries.h"
#include "fakes/PooledBackground.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>

namespace {

using namespace cleanup_test;
using port::DriveType;

constexpr std::int64_t MB = 1048576;

fakes::FakeDrive Drive(DriveType type, const std::string& label) {
    return {type, {true, label, "NTFS"}, {4000 * MB, 1000 * MB}};
}

bool Lists(const tk::ListBox& list, const std::string& start) {
    return std::ranges::any_of(list.Items(),
                               [&](const std::string& line) { return line.starts_with(start); });
}

// Two workers, the drive query's deadline, and a share N: whose queries do not return until
// the test lets them; files in the Cache place to delete.
struct PoolMachine : CleanupMachine {
    fakes::PooledBackground pool{fake.system.tickCount, {2, 2, trelvix::DriveQueryDeadline}};
    int queriesOfN = 0;
    bool shareHangs = true;
    PoolMachine() {
        auto& d = fake.drives.drives;
        d['C'] = Drive(DriveType::Fixed, "SYSTEM");
        d['E'] = Drive(DriveType::Fixed, "DATA");
        d['N'] = Drive(DriveType::Remote, "SHARE");
        pool.hangs = [this] {
            const int now = static_cast<int>(
                std::ranges::count(fake.drives.calls, 'N', &fakes::DriveCall::letter));
            return std::exchange(queriesOfN, now) != now && shareHangs;
        };
        for (int i = 0; i < 20; ++i)
            files().AddFile(In(Cache, "f" + std::to_string(i) + ".dat"), 1);
        Store("Interval", 5);
        AcceptedBefore();
        background = &pool;
    }
    void At(std::uint64_t ms) {
        fake.system.tickCount = ms;
        pool.Pump(); // the executor's own look at its workers
    }
};

TEST(WorkerPool, OneHungDriveHoldsUpNeitherTheOtherLettersNorADeletion) {
    PoolMachine m;
    auto& f = *m.Start().MainForm;
    EXPECT_NE(f.Label26.Caption(), "Counting...") << "the walks ran beside the hung query";
    EXPECT_EQ(m.pool.Waiting(), 0u);

    // The lists show at the deadline: every other letter answered by then.
    m.At(trelvix::DriveQueryDeadline);
    f.DriveQueryTimer.Tick();
    EXPECT_TRUE(Lists(f.ListBox1, "C: [SYSTEM]"));
    EXPECT_TRUE(Lists(f.ListBox1, "E: [DATA]"));
    EXPECT_TRUE(Lists(f.ListBox3, "N: Access Denied"));
    EXPECT_EQ(m.pool.Live(), 2) << "a busy worker is no hung one within the deadline";

    // Its worker hung, the other alone would go to the deletion and leave no room for the
    // drives: the pool makes one more.
    m.At(trelvix::DriveQueryDeadline + 500);
    f.BitBtn12.Click();
    EXPECT_TRUE(m.files().Names(Cache).empty());
    EXPECT_EQ(m.pool.Live(), 3);
    m.fake.drives.drives['E'].volume.label = "LATER";
    f.SpeedButton1.Click();
    EXPECT_TRUE(Lists(f.ListBox1, "E: [LATER]")) << "the surveys go on";
    EXPECT_FALSE(f.DriveQueryTimer.Running()) << "N: is stuck: nothing waits for it";

    m.shareHangs = false;
    m.pool.ReturnHung();
    EXPECT_EQ(m.pool.Live(), 2) << "the extra worker goes with the hung query";
    f.SpeedButton1.Click();
    EXPECT_TRUE(Lists(f.ListBox3, "N: [SHARE]"));
    EXPECT_EQ(m.pool.Made(), 3);
    EXPECT_EQ(m.pool.Waiting(), 0u);
}

} // namespace
