#include "disks/DriveQueries.h"

#include "app/Program.h"

#include <algorithm>
#include <utility>

namespace trelvix {

struct DriveGathering {
    DriveAsk ask;
    DriveSharing sharing = DriveSharing::None;
    std::uint64_t tick = 0;
    std::shared_ptr<tk::Gathering<char>> steps;
    DriveAnswers answers;
    std::uint32_t asked = 0; // bit n: letter 'A' + n was asked about
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
    std::uint64_t earliest = *waiting.front()->steps->Deadline();
    for (const auto& gathering : waiting)
        earliest = std::min(earliest, *gathering->steps->Deadline());
    const std::uint64_t now = p.Ports.system.TickCount();
    const std::uint64_t left = earliest > now ? earliest - now : 1;
    timer.SetInterval(static_cast<int>(std::min<std::uint64_t>(left, DriveQueryDeadline)));
}

void StopWaiting(Program& p, const std::shared_ptr<DriveGathering>& gathering) {
    if (std::erase(Queries(p).waiting, gathering) != 0 && !p.App.Ending())
        RearmDeadline(p);
}

void StartQuery(Program& p, const std::shared_ptr<DriveGathering>& gathering, char letter);

void Store(DriveGathering& gathering, char letter, const DriveAnswer& answer) {
    if (!gathering.steps->Closed())
        gathering.answers[SlotOf(letter)] = answer;
}

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
        if (!next->steps->Closed()) {
            StartQuery(p, next, letter);
            break;
        }
    }
}

void StartQuery(Program& p, const std::shared_ptr<DriveGathering>& gathering, char letter) {
    DriveLane& lane = Queries(p).lanes[SlotOf(letter)];
    lane.busy = true;
    lane.kindSeen = std::make_shared<std::atomic<int>>(-1);
    lane.shareable = gathering->sharing == DriveSharing::Offers;
    lane.shareTick = gathering->tick;
    lane.joined.clear();
    port::Drives& drives = p.Ports.drives;
    gathering->steps->Run<DriveAnswer>(
        letter,
        [&drives, ask = gathering->ask, letter, seen = lane.kindSeen] {
            DriveAnswer found = ask(drives, letter, *seen);
            found.answered = true;
            return found;
        },
        // Stays unanswered when the query failed.
        [&p, gathering, letter](std::optional<DriveAnswer> found) {
            const DriveAnswer answer = found.value_or(DriveAnswer{});
            const auto joined = std::move(Queries(p).lanes[SlotOf(letter)].joined);
            QueryReturned(p, letter, answer);
            Store(*gathering, letter, answer);
            for (const auto& taker : joined) {
                Store(*taker, letter, answer);
                taker->steps->Arrive(letter);
            }
        },
        port::JobKind::DriveQuery);
}

} // namespace

DriveQueries::DriveQueries(Program& p, DriveAsk ask, DriveSharing sharing)
    : p_(p), gathering_(std::make_shared<DriveGathering>()) {
    gathering_->ask = std::move(ask);
    gathering_->sharing = sharing;
    gathering_->tick = Queries(p).tick;
    gathering_->steps = tk::Gathering<char>::Make(p.App);
}

DriveQueries::~DriveQueries() {
    gathering_->steps->Close();
    StopWaiting(p_, gathering_);
}

void DriveQueries::Ask(char letter) {
    DriveGathering& g = *gathering_;
    if (letter < 'A' || letter > 'Z' || g.steps->Closed())
        return;
    g.asked |= BitOf(letter);
    DriveLane& lane = Queries(p_).lanes[SlotOf(letter)];
    if (lane.stuck)
        return; // its failure line at once, from the class last seen
    g.steps->Expect(letter);
    if (lane.busy && lane.shareable && g.sharing == DriveSharing::Takes && lane.shareTick == g.tick)
        lane.joined.push_back(gathering_);
    else if (lane.busy)
        lane.queued.push_back(gathering_);
    else
        StartQuery(p_, gathering_, letter);
}

void DriveQueries::Absent(char letter) {
    DriveGathering& g = *gathering_;
    if (letter < 'A' || letter > 'Z' || g.steps->Closed())
        return;
    DriveAnswer empty;
    empty.answered = true;
    g.answers[SlotOf(letter)] = empty;
    // The letter's query still out, if any, tells its class when it returns.
    if (!Queries(p_).lanes[SlotOf(letter)].busy)
        Queries(p_).lastKind[SlotOf(letter)] = DriveClass::None;
}

void DriveQueries::StartDeadline() {
    tk::Gathering<char>& steps = *gathering_->steps;
    if (steps.Deadline() || steps.Closed() || steps.Outstanding().empty())
        return;
    steps.SetDeadline(p_.Ports.system.TickCount() + DriveQueryDeadline);
    Queries(p_).waiting.push_back(gathering_);
    RearmDeadline(p_);
}

tk::Gathering<char>::Awaiter DriveQueries::Next() {
    StartDeadline();
    return gathering_->steps->Next();
}

tk::Gathering<char>::Awaiter DriveQueries::All() {
    StartDeadline();
    return gathering_->steps->All();
}

const DriveAnswer& DriveQueries::Answer(char letter) const {
    return gathering_->answers[SlotOf(letter)];
}

const DriveAnswers& DriveQueries::Finish() {
    DriveGathering& g = *gathering_;
    g.steps->Close();
    for (char letter = 'A'; letter <= 'Z'; ++letter)
        if ((g.asked & BitOf(letter)) != 0 && !g.answers[SlotOf(letter)].answered) {
            DriveAnswer unanswered;
            unanswered.kind = KindOf(p_, letter);
            g.answers[SlotOf(letter)] = unanswered;
        }
    StopWaiting(p_, gathering_);
    return g.answers;
}

void DriveQueriesTimedOut(Program& p) {
    DriveQueryState& q = Queries(p);
    const std::uint64_t now = p.Ports.system.TickCount();
    std::vector<std::shared_ptr<DriveGathering>> expired;
    for (const auto& gathering : q.waiting)
        if (*gathering->steps->Deadline() <= now)
            expired.push_back(gathering);
    for (const auto& gathering : expired)
        for (char letter : gathering->steps->Outstanding())
            q.lanes[SlotOf(letter)].stuck = true;
    // Each survey goes on here, on this call: it shows its lines and ends its round.
    for (const auto& gathering : expired)
        gathering->steps->CloseIfDue(now);
    RearmDeadline(p);
}

SurveyRounds::SurveyRounds(Program& p, SurveyTurn& turn)
    : p_(p), turn_(turn), mine_(!turn.running) {
    if (!mine_) {
        turn_.again = true;
        return;
    }
    turn_.running = true;
    ++turn_.begun;
}

SurveyRounds::~SurveyRounds() {
    if (mine_)
        turn_.running = false;
}

bool SurveyRounds::Another() {
    turn_.ended = turn_.begun;
    mine_ = std::exchange(turn_.again, false);
    if (mine_)
        ++turn_.begun;
    else
        turn_.running = false;
    // Oldest first; each taken off the list before it goes on, as it may ask again.
    std::vector<SurveyTurn::Waiter> due;
    std::erase_if(turn_.waiting, [&](const SurveyTurn::Waiter& w) {
        if (w.round > turn_.ended)
            return false;
        due.push_back(w);
        return true;
    });
    for (const SurveyTurn::Waiter& w : due)
        p_.App.Release(w.task);
    return mine_;
}

} // namespace trelvix
