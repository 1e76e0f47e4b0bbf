#include "app/StatusLine.h"
#include "autostart/StartupTasks.h"
#include "fakes/TestProgram.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Scheduled tasks that start with Windows, on the AutoStart page: which are listed, in which
// list, and how Disable and Enable are proved by reading the flag back.
namespace {

using port::RegRoot;
using port::ScheduledTask;
using Lines = std::vector<std::string>;

ScheduledTask Task(std::string path, bool logon, bool boot, std::vector<std::string> users = {},
                   bool enabled = true) {
    ScheduledTask task;
    task.path = std::move(path);
    task.logonTrigger = logon;
    task.bootTrigger = boot;
    task.logonUsers = std::move(users);
    task.enabled = enabled;
    task.actionPath = "C:\\Tools\\tool.exe";
    return task;
}

TEST(StartupTasks, OnlyLogonAndBootTasksOutsideWindowsOwnFolderAreListed) {
    const std::pair<ScheduledTask, bool> rows[] = {
        {Task("\\Updater", true, false, {""}), true},
        {Task("\\Backup\\At boot", false, true), true},
        {Task("\\Daily", false, false), false},
        {Task("\\Microsoft\\Windows\\Defrag", true, true, {""}), false},
        {Task("\\microsoft\\Office\\Telemetry", false, true), false},
        {Task("\\MicrosoftEdgeUpdateTaskMachineCore", true, false, {""}), true},
        {Task("\\Vendor\\Microsoft\\Helper", true, false, {""}), true},
    };
    for (const auto& [task, listed] : rows)
        EXPECT_EQ(trelvix::IsListedTask(task), listed) << task.path;
}

TEST(StartupTasks, ALogonTriggerNamingThisUserPutsTheTaskBelow) {
    const port::UserNames me{"S-1-5-21-1-2-3-1001", "PC\\user", "user"};
    const std::pair<std::vector<std::string>, RegRoot> rows[] = {
        {{""}, RegRoot::LocalMachine}, // any user
        {{}, RegRoot::LocalMachine},   // a boot trigger only
        {{"S-1-5-21-1-2-3-1001"}, RegRoot::CurrentUser},
        {{"s-1-5-21-1-2-3-1001"}, RegRoot::CurrentUser},
        {{"pc\\USER"}, RegRoot::CurrentUser},
        {{"User"}, RegRoot::CurrentUser},
        {{"PC\\user2"}, RegRoot::LocalMachine},
        {{"OTHER\\user"}, RegRoot::LocalMachine},
        {{"S-1-5-18"}, RegRoot::LocalMachine},
        {{"other", "PC\\user"}, RegRoot::CurrentUser},
    };
    for (const auto& [users, root] : rows) {
        SCOPED_TRACE(users.empty() ? "(none)" : users.front());
        EXPECT_EQ(trelvix::TaskRoot(Task("\\T", true, false, users), me), root);
    }
    // A user the system cannot name matches nothing, not every empty name.
    EXPECT_EQ(trelvix::TaskRoot(Task("\\T", true, false, {"user"}), port::UserNames{}),
              RegRoot::LocalMachine);
}

TEST(StartupTasks, TheDataIsTheFirstActionsCommandOrItsComHandler) {
    ScheduledTask withArguments = Task("\\A", true, false);
    withArguments.actionArguments = "/background --quiet";
    ScheduledTask handler = Task("\\B", true, false);
    handler.comHandler = "{0F87369F-A4E5-4CFC-BD3E-73E6154572DD}";
    const std::pair<ScheduledTask, std::string> rows[] = {
        {Task("\\C", true, false), "\"C:\\Tools\\tool.exe\""},
        {withArguments, "\"C:\\Tools\\tool.exe /background --quiet\""},
        {handler, "(COM handler {0F87369F-A4E5-4CFC-BD3E-73E6154572DD})"},
    };
    for (const auto& [task, data] : rows)
        EXPECT_EQ(trelvix::TaskData(task), data) << task.path;
}

struct TaskMachine : fakes::TestProgram {
    TaskMachine() {
        fake.tasks.tasks = {
            Task("\\Microsoft\\Windows\\Logon", true, false, {""}),
            Task("\\Vendor\\Agent", false, true),
            Task("\\Mine", true, false, {"PC\\user"}, false),
            Task("\\Daily", false, false),
            Task("\\Shared", true, false, {""}),
        };
        fake.tasks.locked = {"\\Shared"};
    }
};

TEST(StartupTasks, TasksAreListedWithTheirSuffixAndDeleteIsGreyed) {
    TaskMachine t;
    auto& f = *t.Start().MainForm;
    EXPECT_EQ(f.ListBox9.Items(),
              (Lines{"\\Vendor\\Agent | Path is: \"C:\\Tools\\tool.exe\" (task)",
                     "\\Shared | Path is: \"C:\\Tools\\tool.exe\" (task)"}));
    EXPECT_EQ(f.ListBox10.Items(),
              (Lines{"\\Mine | Path is: \"C:\\Tools\\tool.exe\" (task) (disabled)"}));
    f.ListBox9.SelectItem(0);
    EXPECT_FALSE(f.DeleteThisKeyFrom1.Enabled());
    EXPECT_TRUE(f.Disable1.Enabled());
    f.DeleteThisKeyFrom1.Click(); // greyed: nothing happens
    EXPECT_EQ(t.fake.tasks.tasks.size(), 5U);
    EXPECT_TRUE(t.fake.desktop.boxes.empty());
}

// Each change is asked for and read back; a flag the scheduler kept is a refusal, whichever
// list the task is in.
TEST(StartupTasks, DisableAndEnableAreProvedByTheFlagReadBack) {
    TaskMachine t;
    auto& f = *t.Start().MainForm;
    struct Step {
        tk::ListBox& list;
        int line;
        tk::MenuItem& item;
        std::string shown;
        std::string note;
    };
    const std::string refused = "Administrator rights are needed to change this entry.";
    const Step steps[] = {
        {f.ListBox9, 0, f.Disable1,
         "\\Vendor\\Agent | Path is: \"C:\\Tools\\tool.exe\" (task) (disabled)", ""},
        {f.ListBox10, 0, f.Enable2, "\\Mine | Path is: \"C:\\Tools\\tool.exe\" (task)", ""},
        {f.ListBox9, 1, f.Disable1, "\\Shared | Path is: \"C:\\Tools\\tool.exe\" (task)", refused},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.shown);
        trelvix::ClearStatusNote(t.P());
        s.list.SelectItem(s.line);
        s.item.Click();
        EXPECT_EQ(s.list.Item(s.line), s.shown);
        EXPECT_EQ(f.StatusBar1.SecondPartText(), s.note);
    }
    EXPECT_FALSE(t.fake.tasks.tasks[1].enabled);
    EXPECT_TRUE(t.fake.tasks.tasks[2].enabled);
    EXPECT_TRUE(t.fake.tasks.tasks[4].enabled);
    EXPECT_TRUE(t.fake.desktop.boxes.empty());
}

// A scheduler that takes every call and changes nothing (as Wine's does) refuses them all.
TEST(StartupTasks, ASchedulerThatIgnoresTheCallRefusesIt) {
    TaskMachine t;
    t.fake.tasks.locked = {"\\Vendor\\Agent", "\\Mine", "\\Shared"};
    auto& f = *t.Start().MainForm;
    f.ListBox10.SelectItem(0);
    f.Enable2.Click();
    EXPECT_EQ(f.StatusBar1.SecondPartText(),
              "Administrator rights are needed to change this entry.");
    EXPECT_EQ(f.ListBox10.Item(0), "\\Mine | Path is: \"C:\\Tools\\tool.exe\" (task) (disabled)");
    EXPECT_EQ(t.fake.tasks.sets, Lines{"\\Mine"});
}

// Tasks are not watched, but every reread compares them too.
TEST(StartupTasks, ATaskAddedWhileRunningIsToldAtTheNextReread) {
    TaskMachine t;
    t.Start();
    t.fake.tasks.tasks.push_back(Task("\\Spy", true, false, {""}));
    t.fake.keyWatch.Change();
    ASSERT_EQ(t.fake.tray.balloons.size(), 1U);
    EXPECT_EQ(t.fake.tray.balloons[0].text,
              "\\Spy will start with Windows: \"C:\\Tools\\tool.exe\"");
}

} // namespace
