#include "fakes/Fakes.h"
#include "toolkit/ResultQueue.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// Results handed over while every wake is refused: each delivery runs the oldest batch and
// asks for another wake while more wait; after the end nothing runs, not even what waits.
TEST(ResultQueue, DeliversOldestFirstInBoundedBatchesAndNothingOnceClosed) {
    fakes::HeldBackground background;
    background.refuseWakes = true;
    auto queue = std::make_shared<tk::ResultQueue>();
    queue->SetBackground(&background);
    std::vector<int> ran;
    const int total = static_cast<int>(tk::ResultQueue::MaxBatch) + 8;
    for (int i = 0; i < total; ++i)
        queue->HandOver([&ran, i] { ran.push_back(i); });
    EXPECT_EQ(background.wakes, 1) << "one wake for the first result into an empty queue";
    EXPECT_TRUE(ran.empty());

    queue->Deliver();
    ASSERT_EQ(ran.size(), tk::ResultQueue::MaxBatch);
    EXPECT_EQ(ran.front(), 0);
    EXPECT_EQ(ran.back(), static_cast<int>(tk::ResultQueue::MaxBatch) - 1);
    EXPECT_EQ(background.wakes, 2) << "the rest asks for its own wake";
    queue->Deliver();
    EXPECT_EQ(ran.size(), static_cast<std::size_t>(total));
    EXPECT_EQ(queue->Waiting(), 0u);

    queue->HandOver([&ran] { ran.push_back(-1); });
    queue->Close();
    queue->HandOver([&ran] { ran.push_back(-2); });
    queue->Deliver();
    EXPECT_EQ(ran.size(), static_cast<std::size_t>(total));
    EXPECT_EQ(queue->Waiting(), 0u);
}

} // namespace
