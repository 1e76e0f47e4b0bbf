#include "disks/DriveQueries.h"

#include "app/BackgroundJobs.h"
#include "app/Program.h"

#include <algorithm>
#include <utility>

namespace trelvix {

struct DriveGathering {
    DriveAsk ask;
    std::function<void(const DriveAnswers&)> compose;
    DriveAnswerHook onAnswer;
    DriveAnswers answers;
    std::uint32_t asked = 0;    // bit n: letter 'A' + n was asked about
    std::uint32_t pending = 0;  // ... and has not answered yet
    bool asking = true;         // more letters may still be asked
    bool closed = false;        // composed: later answers are not its business
    bool showsBusy = true;      // counted among the jobs behind the busy glyph
    std::uint64_t deadline = 0; // system tick count
};

namespace {

std::size_t SlotOf(char letter) {
    return static_cast<std::size_t>(letter - 'A');
}

std::uint32_t BitOf(char letter) {
    return std::uint32_t{1} << SlotOf(letter);
}

DriveQueryState& Queries(Program& p) {
    return p.DiskMonitor.Queries;
}

// The class a letter's failure line goes by: the one its query out has seen, else the one
// it had at its last answer.
DriveClass KindOf(Program& p, char letter) {
    const DriveLane& lane = Queries(p).lanes[SlotOf(letter)];
    if (lane.kindSeen) {
        const int seen = lane.kindSeen->load();
        if (seen >= 0)
            return static_cast<DriveClass>(seen);
    }
    return Queries(p).lastKind[SlotOf(letter)];
}

// The deadline timer fires at the earliest deadline of the surveys waiting.
void RearmDeadline(Program& p) {
    const auto& waiting = Queries(p).waiting;
    tk::Timer& timer = p.MainForm->DriveQueryTimer;
    timer.SetInterval(0);
    if (waiting.empty())
        return;
    std::uint64_t earliest = waiting.front()->deadline;
    for (const auto& gathering : waiting)
        earliest = std::min(earliest, gathering->deadline);
    const std::uint64_t now = p.Ports.system.TickCount();
    const std::uint64_t left = earliest > now ? earliest - now : 1;
    timer.SetInterval(static_cast<int>(std::min<std::uint64_t>(left, DriveQueryDeadline)));
}

void Compose(Program& p, const std::shared_ptr<DriveGathering>& gathering) {
    DriveGathering& g = *gathering;
    g.closed = true;
    for (char letter = 'A'; letter <= 'Z'; ++letter)
        if ((g.asked & BitOf(letter)) != 0 && !g.answers[SlotOf(letter)].answered) {
            DriveAnswer unanswered;
            unanswered.kind = KindOf(p, letter);
            g.answers[SlotOf(letter)] = unanswered;
        }
    std::erase(Queries(p).waiting, gathering);
    RearmDeadline(p);
    // Counted out after `compose`, which may start the next survey under the same glyph.
    struct Finish {
        Program& p;
        bool counted;
        ~Finish() {
            if (counted)
                JobFinished(p);
        }
    } finish{p, g.showsBusy};
    p.App.Guard([&g] { g.compose(g.answers); });
}

void ComposeWhenComplete(Program& p, const std::shared_ptr<DriveGathering>& gathering) {
    if (!gathering->asking && gathering->pending == 0 && !gathering->closed)
        Compose(p, gathering);
}

void StartQuery(Program& p, const std::shared_ptr<DriveGathering>& gathering, char letter);

// A letter's query is back: the lane is free for the next survey waiting for it.
void QueryReturned(Program& p, char letter, const DriveAnswer& answer) {
    DriveLane& lane = Queries(p).lanes[SlotOf(letter)];
    lane.busy = false;
    lane.stuck = false;
    lane.kindSeen.reset();
    if (answer.answered)
        Queries(p).lastKind[SlotOf(letter)] = answer.kind;
    while (!lane.queued.empty()) {
        std::shared_ptr<DriveGathering> next = std::move(lane.queued.front());
        lane.queued.pop_front();
        if (!next->closed) {
            StartQuery(p, next, letter);
            break;
        }
    }
}

void Deliver(Program& p, const std::shared_ptr<DriveGathering>& gathering, char letter,
             const DriveAnswer& answer) {
    DriveGathering& g = *gathering;
    if (g.closed)
        return;
    g.answers[SlotOf(letter)] = answer;
    if (g.onAnswer && answer.answered)
        p.App.Guard([&] { g.onAnswer(gathering, letter, answer); });
    g.pending &= ~BitOf(letter);
    ComposeWhenComplete(p, gathering);
}

void StartQuery(Program& p, const std::shared_ptr<DriveGathering>& gathering, char letter) {
    DriveLane& lane = Queries(p).lanes[SlotOf(letter)];
    lane.busy = true;
    lane.kindSeen = std::make_shared<std::atomic<int>>(-1);
    // Stays unanswered when the job fails.
    auto answer = std::make_shared<DriveAnswer>();
    port::Drives& drives = p.Ports.drives;
    p.App.RunInBackground<DriveAnswer>(
        [&drives, ask = gathering->ask, letter, seen = lane.kindSeen] {
            DriveAnswer found = ask(drives, letter, *seen);
            found.answered = true;
            return found;
        },
        [answer](DriveAnswer found) { *answer = std::move(found); },
        [&p, gathering, letter, answer] {
            QueryReturned(p, letter, *answer);
            Deliver(p, gathering, letter, *answer);
        });
}

} // namespace

std::shared_ptr<DriveGathering> BeginDriveQueries(Program& p, DriveAsk ask,
                                                  std::function<void(const DriveAnswers&)> compose,
                                                  DriveAnswerHook onAnswer, bool showBusy) {
    auto gathering = std::make_shared<DriveGathering>();
    gathering->ask = std::move(ask);
    gathering->compose = std::move(compose);
    gathering->onAnswer = std::move(onAnswer);
    gathering->showsBusy = showBusy;
    if (showBusy)
        JobStarted(p);
    return gathering;
}

void AskDrive(Program& p, const std::shared_ptr<DriveGathering>& gathering, char letter) {
    if (letter < 'A' || letter > 'Z' || gathering->closed)
        return;
    gathering->asked |= BitOf(letter);
    DriveLane& lane = Queries(p).lanes[SlotOf(letter)];
    if (lane.stuck)
        return; // its failure line at once, from the class last seen
    gathering->pending |= BitOf(letter);
    if (lane.busy)
        lane.queued.push_back(gathering);
    else
        StartQuery(p, gathering, letter);
}

void FinishAskingDrives(Program& p, const std::shared_ptr<DriveGathering>& gathering) {
    gathering->asking = false;
    if (gathering->closed)
        return;
    if (gathering->pending == 0) {
        Compose(p, gathering);
        return;
    }
    gathering->deadline = p.Ports.system.TickCount() + DriveQueryDeadline;
    Queries(p).waiting.push_back(gathering);
    RearmDeadline(p);
}

void DriveQueriesTimedOut(Program& p) {
    DriveQueryState& q = Queries(p);
    const std::uint64_t now = p.Ports.system.TickCount();
    std::vector<std::shared_ptr<DriveGathering>> expired;
    for (const auto& gathering : q.waiting)
        if (gathering->deadline <= now)
            expired.push_back(gathering);
    for (const auto& gathering : expired)
        for (char letter = 'A'; letter <= 'Z'; ++letter)
            if ((gathering->pending & BitOf(letter)) != 0)
                q.lanes[SlotOf(letter)].stuck = true;
    for (const auto& gathering : expired)
        if (!gathering->closed)
            Compose(p, gathering);
    RearmDeadline(p);
}

bool BeginSurveyTurn(SurveyTurn& turn, tk::Handler then) {
    if (turn.running) {
        turn.again = true;
        if (then)
            turn.afterAgain.push_back(std::move(then));
        return false;
    }
    turn.running = true;
    if (then)
        turn.after.push_back(std::move(then));
    return true;
}

void EndSurveyTurn(Program& p, SurveyTurn& turn, const std::function<void(tk::Handler)>& again) {
    turn.running = false;
    std::vector<tk::Handler> after = std::move(turn.after);
    turn.after.clear();
    for (const tk::Handler& then : after)
        p.App.Guard(then);
    if (!turn.again)
        return;
    turn.again = false;
    std::vector<tk::Handler> next = std::move(turn.afterAgain);
    turn.afterAgain.clear();
    again([&p, next = std::move(next)] {
        for (const tk::Handler& then : next)
            p.App.Guard(then);
    });
}

} // namespace trelvix
