#include "fakes/Fakes.h"
#include "toolkit/Task.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Order = fakes::HeldBackground::Order;
using Events = std::vector<std::string>;

// A scope object of a task: notes its end, and whether the program was ending then.
struct EndNote {
    tk::Application& app;
    Events& events;
    ~EndNote() { events.push_back(app.Ending() ? "end while ending" : "end"); }
};

tk::Task TwoSteps(tk::Application& app, Events& events, int first) {
    EndNote note{app, events};
    auto one = tk::InBackground(app, [first] { return first * 10; });
    const int a = co_await one;
    events.push_back(std::to_string(a));
    auto two = tk::InBackground(app, [a] { return a + 1; });
    const int b = co_await two;
    events.push_back(std::to_string(b));
}

struct Machine {
    fakes::FakeDesktop desktop;
    fakes::HeldBackground background;
    tk::Application app{desktop, "trelvix"};
};

// Each task reads top to bottom whatever the executor does and in whatever order its steps
// come back; with held steps nothing goes on until the window's thread is woken.
TEST(Tasks, StepsResumeInProgramOrderOnTheWindowsThread) {
    struct Case {
        const char* name;
        bool executor, runNow;
        Order order;
    };
    const Case cases[] = {
        {"no executor: at once", false, false, Order::Oldest},
        {"hand-over before Run returns", true, true, Order::Oldest},
        {"held, oldest first", true, false, Order::Oldest},
        {"held, newest first", true, false, Order::Newest},
        {"held, drawn order", true, false, Order::Random},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Events first, second; // outlive the tasks
        Machine m;
        m.background.runNow = c.runNow;
        if (c.executor)
            m.app.SetBackground(&m.background);
        TwoSteps(m.app, first, 1);
        TwoSteps(m.app, second, 2);
        if (c.executor && !c.runNow) {
            EXPECT_TRUE(first.empty() && second.empty()) << "nothing before the steps return";
            EXPECT_EQ(m.app.SuspendedTasks(), 2u);
        }
        m.background.CompleteAll(c.order, 7);
        EXPECT_EQ(first, (Events{"10", "11", "end"}));
        EXPECT_EQ(second, (Events{"20", "21", "end"}));
        EXPECT_EQ(m.app.SuspendedTasks(), 0u);
    }
}

// A result whose wake was lost waits in the queue: the task goes on only when the window's
// thread delivers it, as one message among others.
TEST(Tasks, AResultWaitsForTheWindowsThread) {
    Events events;
    Machine m;
    m.app.SetBackground(&m.background);
    m.background.refuseWakes = true;
    TwoSteps(m.app, events, 3);
    m.background.Complete(0);
    EXPECT_TRUE(events.empty());
    m.app.DeliverResults();
    EXPECT_EQ(events, Events{"30"});
}

// The program's end destroys the suspended task: its scope objects run, knowing the program
// ends; a step finishing afterwards resumes nothing (the sanitizers see any use of the frame).
TEST(Tasks, TheEndDestroysSuspendedTasksAndResumesNothingAfter) {
    Events events;
    Machine m;
    m.app.SetBackground(&m.background);
    TwoSteps(m.app, events, 4);
    m.background.Complete(0);
    ASSERT_EQ(events, Events{"40"});
    m.app.End();
    EXPECT_EQ(events, (Events{"40", "end while ending"}));
    EXPECT_EQ(m.app.SuspendedTasks(), 0u);
    m.background.CompleteAll();
    EXPECT_EQ(events, (Events{"40", "end while ending"}));
    EXPECT_TRUE(m.desktop.boxes.empty());
}

int Fail(const char* text) {
    throw std::runtime_error(text);
}

tk::Task FailingTask(tk::Application& app, Events& events, int where) {
    EndNote note{app, events};
    if (where == 0)
        Fail("Lost before");
    auto step = tk::InBackground(app, [where] { return where == 1 ? Fail("Lost in step") : 1; });
    try {
        const int got = co_await step;
        events.push_back(std::to_string(got));
    } catch (const std::runtime_error& error) {
        events.push_back(std::string("caught ") + error.what());
    }
    if (where == 2)
        Fail("Lost after");
}

// What a step throws comes out of its co_await; what escapes the task, before or after a
// suspension, reaches the standard error box once its scope objects have ended.
TEST(Tasks, ErrorsComeOutAtTheAwaitOrReachTheErrorBox) {
    struct Case {
        int where;
        Events events;
        std::vector<std::string> boxes;
    };
    const Case cases[] = {
        {0, {"end"}, {"Lost before."}},
        {1, {"caught Lost in step", "end"}, {}},
        {2, {"1", "end"}, {"Lost after."}},
        {3, {"1", "end"}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.where);
        Events events;
        Machine m;
        m.app.SetBackground(&m.background);
        FailingTask(m.app, events, c.where);
        m.background.CompleteAll();
        EXPECT_EQ(events, c.events);
        std::vector<std::string> boxes;
        for (const auto& box : m.desktop.boxes)
            boxes.push_back(box.text);
        EXPECT_EQ(boxes, c.boxes);
        EXPECT_EQ(m.app.SuspendedTasks(), 0u);
    }
}

tk::Task AskThenWait(tk::Application& app, Events& events) {
    auto step = tk::InBackground(app, [] { return 5; });
    const int got = co_await step;
    events.push_back("resumed " + std::to_string(got));
    app.ShowNotice("Done");
    events.push_back("box closed");
}

// A task resumes inside the message loop of a box another handler opened, as results did.
TEST(Tasks, ATaskResumesInsideTheLoopOfABox) {
    Events events;
    Machine m;
    m.app.SetBackground(&m.background);
    AskThenWait(m.app, events);
    m.desktop.whileBoxOpen = [&] {
        if (m.background.Held() > 0)
            m.background.Complete(0);
    };
    m.app.ShowNotice("Question");
    EXPECT_EQ(events, (Events{"resumed 5", "box closed"}));
    ASSERT_EQ(m.desktop.boxes.size(), 2u);
    EXPECT_EQ(m.desktop.boxes[1].text, "Done");
}

tk::Task AwaitTwoSteps(tk::Application& app, Events& events, int first) {
    EndNote note{app, events};
    auto inner = TwoSteps(app, events, first);
    co_await inner;
    events.push_back("after inner");
}

// A task awaiting another goes on once that one has ended, with its frame gone first;
// the program's end destroys both, and neither goes on afterwards.
TEST(Tasks, ATaskAwaitingAnotherGoesOnWhenItEnds) {
    struct Case {
        const char* name;
        bool executor, endsEarly;
        Events events;
    };
    const Case cases[] = {
        {"inner ends at once", false, false, {"10", "11", "end", "after inner", "end"}},
        {"inner ends later", true, false, {"10", "11", "end", "after inner", "end"}},
        {"the program ends first", true, true, {"10", "end while ending", "end while ending"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Events events;
        Machine m;
        if (c.executor)
            m.app.SetBackground(&m.background);
        AwaitTwoSteps(m.app, events, 1);
        if (c.endsEarly) {
            m.background.Complete(0);
            m.app.End();
        }
        m.background.CompleteAll();
        EXPECT_EQ(events, c.events);
        EXPECT_EQ(m.app.SuspendedTasks(), 0u);
    }
}

} // namespace
