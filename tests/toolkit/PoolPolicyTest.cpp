#include "platform/PoolPolicy.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

using port::JobKind;
using Turn = port::PoolPolicy::Turn;

// The policy driven by a script, one step a line:
//   "+W name" / "+D name"  a walk or deletion / a drive query asked for
//   "make N"               N workers to make now
//   "take S what"          free worker S asks: runs job `what`, or "wait", or "end"
//   "done S"               worker S's job returned
//   "at T"                 the clock reads T milliseconds
//   "live N" / "check T"   workers alive / the next look for hung workers ("-" for none)
//   "stop"
struct Rig {
    std::uint64_t now = 0;
    port::PoolPolicy policy;
    std::map<std::uint64_t, std::string> names;
    std::uint64_t next = 1;

    explicit Rig(port::PoolLimits limits) : policy(limits, [this] { return now; }) {}

    std::string Step(const std::string& line) {
        std::istringstream in(line);
        std::string op, arg, expected;
        in >> op >> arg >> expected;
        if (op == "+W" || op == "+D") {
            names[next] = arg;
            policy.Add(next++, op == "+W" ? JobKind::Work : JobKind::DriveQuery);
            return "";
        }
        if (op == "at") {
            now = std::stoull(arg);
            return "";
        }
        if (op == "stop") {
            policy.Stop();
            return "";
        }
        if (op == "done") {
            policy.Finished(std::stoi(arg));
            return "";
        }
        if (op == "make")
            return Expect(arg, std::to_string(policy.WorkersToMake().size()));
        if (op == "live")
            return Expect(arg, std::to_string(policy.Live()));
        if (op == "check") {
            const auto at = policy.NextCheck();
            return Expect(arg, at ? std::to_string(*at) : "-");
        }
        if (op == "take") {
            const Turn turn = policy.Take(std::stoi(arg));
            const std::string got = turn.what == Turn::Do::Run    ? names[turn.job]
                                    : turn.what == Turn::Do::Wait ? "wait"
                                                                  : "end";
            return Expect(expected, got);
        }
        return "unknown step";
    }
    static std::string Expect(const std::string& expected, const std::string& got) {
        return expected == got ? "" : "expected " + expected + ", got " + got;
    }
};

TEST(PoolPolicy, Rules) {
    struct Case {
        const char* rule;
        std::vector<std::string> script;
    };
    const Case cases[] = {
        {"its own workers are made at the first job, once",
         {"+D C", "make 2", "live 2", "take 0 C", "take 1 wait", "done 0", "+D D", "make 0",
          "take 0 D", "done 0", "take 0 wait"}},
        {"walks and deletions go before the drive queries waiting",
         {"+D C", "+D E", "+W walk", "+D G", "+W delete", "make 2", "take 0 walk", "take 1 C",
          "done 1", "take 1 E", "done 0", "take 0 delete", "done 1", "take 1 G"}},
        {"a walk leaves a worker to the drives; the next walk waits for it",
         {"+W walk", "+W other", "make 2", "take 0 walk", "take 1 wait", "+D C", "take 1 C",
          "done 1", "take 1 wait", "done 0", "take 0 other", "take 1 wait"}},
        {"beside a drive query not yet hung, a deletion starts at once",
         {"+D N", "make 2", "take 0 N", "at 1500", "+W delete", "take 1 delete"}},
        {"a hung drive query gets a worker more when a deletion waits; it goes when it returns",
         {"+D N", "make 2", "take 0 N", "at 2001", "+W delete", "check -", "take 1 wait", "make 1",
          "live 3", "take 2 delete", "take 1 wait", "done 0", "take 0 end", "live 2", "done 2",
          "take 2 wait"}},
        {"two hung queries: a worker more for each as jobs wait, back one by one",
         {"+D N",    "+D M",        "make 2",      "take 0 N",    "take 1 M",
          "at 5000", "+D C",        "make 1",      "take 2 C",    "+W walk",
          "make 1",  "live 4",      "take 3 walk", "done 2",      "take 2 wait",
          "done 3",  "take 3 wait", "done 0",      "take 0 end",  "live 3",
          "done 1",  "take 1 end",  "live 2",      "take 2 wait", "take 3 wait"}},
        {"the cap holds however many hang",
         {"+D N", "+D M", "make 2", "take 0 N", "take 1 M", "at 3000", "+D L", "make 1", "take 2 L",
          "at 6000", "+D K", "make 1", "take 3 K", "at 9000", "+D J", "make 0", "live 4",
          "check -"}},
        {"no worker more for a slow query that is not hung yet",
         {"+D N", "+D M", "make 2", "take 0 N", "take 1 M", "at 700", "+D C", "make 0",
          "check 2001", "done 1", "take 1 C", "check -"}},
        {"stopped: nothing starts, free workers end, busy ones when they return",
         {"+D C", "+W walk", "make 2", "take 0 walk", "stop", "take 1 end", "+D E", "make 0",
          "done 0", "take 0 end", "live 0", "check -"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rule);
        Rig rig({});
        for (const std::string& line : c.script) {
            const std::string fault = rig.Step(line);
            ASSERT_EQ(fault, "") << "at \"" << line << "\"";
        }
    }
}

} // namespace
