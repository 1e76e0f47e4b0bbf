#include "fakes/Fakes.h"
#include "toolkit/Gathering.h"
#include "toolkit/Task.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Order = fakes::HeldBackground::Order;
using Events = std::vector<std::string>;
using Steps = tk::Gathering<char>;

struct Machine {
    fakes::FakeDesktop desktop;
    fakes::HeldBackground background;
    tk::Application app{desktop, "trelvix"};
};

// What the task saw, and what reached the owner's `back` (also after the task stopped).
struct Seen {
    Events task;
    Events owner;
};

// A scope object of the gathering task.
struct EndNote {
    tk::Application& app;
    Events& events;
    ~EndNote() { events.push_back(app.Ending() ? "end while ending" : "end"); }
};

// Runs one step per letter; letter 'H' hangs while `hang` is set, and a letter it writes
// only into what the step holds.
void RunSteps(Steps& steps, Seen& seen, const std::string& letters,
              const std::shared_ptr<std::atomic<bool>>& hang) {
    for (char letter : letters)
        steps.Run<int>(
            letter,
            [letter, hang] {
                if (letter == 'H' && *hang)
                    throw std::runtime_error("still waiting");
                return letter - 'A';
            },
            [&owner = seen.owner, letter](std::optional<int> got) {
                owner.push_back(std::string(1, letter) + (got ? "=" + std::to_string(*got) : "!"));
            });
}

tk::Task GatherEach(tk::Application& app, Seen& seen, std::string letters,
                    std::shared_ptr<std::atomic<bool>> hang, std::uint64_t deadline) {
    EndNote note{app, seen.task};
    auto steps = Steps::Make(app);
    steps->SetDeadline(deadline);
    RunSteps(*steps, seen, letters, hang);
    for (;;) {
        auto next = steps->Next();
        const std::optional<char> back = co_await next;
        if (!back)
            break;
        seen.task.push_back(std::string(1, *back));
    }
    seen.task.push_back(steps->Closed() && !steps->Outstanding().empty() ? "gave up" : "all back");
}

tk::Task GatherAll(tk::Application& app, Seen& seen, std::string letters,
                   std::shared_ptr<std::atomic<bool>> hang, std::shared_ptr<Steps>& out) {
    EndNote note{app, seen.task};
    auto steps = Steps::Make(app);
    out = steps;
    steps->SetDeadline(2000);
    RunSteps(*steps, seen, letters, hang);
    auto all = steps->All();
    co_await all;
    seen.task.push_back(steps->Outstanding().empty() ? "all back" : "gave up");
}

// The task hears of every step once, in the order they came back, and ends when the last
// is back; however the executor runs them, nothing is seen twice or lost.
TEST(Gathering, EveryStepBackEndsTheWaitInTheOrderTheyCame) {
    struct Case {
        const char* name;
        bool executor, runNow;
        Order order;
        Events task;
    };
    const Case cases[] = {
        {"no executor", false, false, Order::Oldest, {"A", "B", "C", "all back", "end"}},
        {"back before Run returns", true, true, Order::Oldest, {"A", "B", "C", "all back", "end"}},
        {"oldest first", true, false, Order::Oldest, {"A", "B", "C", "all back", "end"}},
        {"newest first", true, false, Order::Newest, {"C", "B", "A", "all back", "end"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Seen seen;
        Machine m;
        m.background.runNow = c.runNow;
        if (c.executor)
            m.app.SetBackground(&m.background);
        auto hang = std::make_shared<std::atomic<bool>>(false);
        GatherEach(m.app, seen, "ABC", hang, 2000);
        m.background.CompleteAll(c.order);
        EXPECT_EQ(seen.task, c.task);
        EXPECT_EQ(seen.owner.size(), 3u);
        EXPECT_EQ(m.app.SuspendedTasks(), 0u);
    }
}

// One step hangs: before the deadline the task waits; at it, the task goes on with what came
// back; the late step still reaches its owner but not the task, which has ended.
TEST(Gathering, AStepPastTheDeadlineEndsTheWaitWithoutIt) {
    Seen seen;
    Machine m;
    m.app.SetBackground(&m.background);
    auto hang = std::make_shared<std::atomic<bool>>(true);
    std::shared_ptr<Steps> steps;
    GatherAll(m.app, seen, "AHB", hang, steps);
    m.background.Complete(2); // B
    m.background.Complete(0); // A
    EXPECT_TRUE(seen.task.empty()) << "H is still out";
    EXPECT_FALSE(steps->CloseIfDue(1999));
    EXPECT_TRUE(seen.task.empty());
    EXPECT_TRUE(steps->CloseIfDue(2000));
    EXPECT_EQ(seen.task, (Events{"gave up", "end"}));
    *hang = false;
    m.background.CompleteAll();
    EXPECT_EQ(seen.owner, (Events{"B=1", "A=0", "H=7"}));
    EXPECT_EQ(seen.task, (Events{"gave up", "end"})) << "the task is not resumed twice";
    EXPECT_FALSE(steps->CloseIfDue(5000));
    EXPECT_EQ(m.app.SuspendedTasks(), 0u);
}

// A step that fails counts as back (its error in the box), so it never holds the task up.
TEST(Gathering, AFailedStepCountsAsBack) {
    Seen seen;
    Machine m;
    m.app.SetBackground(&m.background);
    auto hang = std::make_shared<std::atomic<bool>>(true);
    GatherEach(m.app, seen, "HA", hang, 2000);
    m.background.CompleteAll();
    EXPECT_EQ(seen.task, (Events{"H", "A", "all back", "end"}));
    EXPECT_EQ(seen.owner, (Events{"H!", "A=0"}));
    ASSERT_EQ(m.desktop.boxes.size(), 1u);
    EXPECT_EQ(m.desktop.boxes[0].text, "still waiting.");
}

// The program ends while the task waits: its frame is destroyed there (its scope objects
// know the program is ending), and steps finishing afterwards reach neither the frame nor
// their owner (the sanitizers see any use of the frame).
TEST(Gathering, TheEndDestroysTheWaitingTaskAndLateStepsReachNothing) {
    Seen seen;
    Machine m;
    m.app.SetBackground(&m.background);
    auto hang = std::make_shared<std::atomic<bool>>(false);
    std::shared_ptr<Steps> steps;
    GatherAll(m.app, seen, "ABC", hang, steps);
    m.background.Complete(1);
    ASSERT_EQ(m.app.SuspendedTasks(), 1u);
    m.app.End();
    EXPECT_EQ(seen.task, Events{"end while ending"});
    EXPECT_EQ(m.app.SuspendedTasks(), 0u);
    m.background.CompleteAll();
    EXPECT_EQ(seen.task, Events{"end while ending"});
    EXPECT_EQ(seen.owner, Events{"B=1"});
    steps->Close();
    EXPECT_TRUE(m.desktop.boxes.empty());
}

} // namespace
