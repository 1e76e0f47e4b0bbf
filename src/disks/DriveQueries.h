#pragma once

#include "disks/DriveLines.h"
#include "platform/Drives.h"
#include "toolkit/Gathering.h"

#include <array>
#include <atomic>
#include <coroutine>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

// Every survey asks the drives through this unit. Its rules:
// - Lanes: one query per letter is out at a time. A survey asking a letter whose query is out
//   waits for that one to come back, then asks its own.
// - Workers: the queries are the executor's drive-query jobs (port::JobKind::DriveQuery). They
//   share its few workers with the walks and deletions, which go before the queries waiting;
//   a query out longer than DriveQueryDeadline no longer holds a worker of the others (the
//   pool makes one more for it, up to a small cap, and drops it when the query returns). So a
//   drive that does not answer delays neither the other letters nor a deletion.
// - Deadline: a survey waits DriveQueryDeadline from when it has asked its letters; then it
//   shows what came back, and each letter still out gets its failure line by the class it
//   was last seen with.
// - Stuck: a letter whose query outlived a deadline is stuck until that query comes back:
//   meanwhile surveys give it its failure line at once and ask it nothing.
// - Coalescing: one survey of a kind runs at a time; asked for while it runs, one more
//   follows it, and everyone who asked meanwhile waits for that one. A survey past its
//   deadline ends like any other, so the timed refresh goes on.
// - Epoch: a survey takes the change markers' epoch (with its unit) when its queries start,
//   a survey that follows a running one when it starts, not when it was asked for; figures
//   of an older epoch neither prime a store nor are compared with.
// - Present letters: the surveys ask C: to Z: only where the system lists a drive; a letter
//   it does not list is known to have none without a query.
// - Shared answers: the fixed-lists survey and the drive pickers of one refresh share each
//   letter's query: the pickers take the survey's answer when its query of the letter is out.
//   Only the pickers take shared answers, and they keep no change markers, so a shared answer
//   never primes a store under an epoch older than its survey's.

namespace trelvix {

class Program;

// What one query of a drive letter found, filled off the window's thread.
struct DriveAnswer {
    // False when the survey's deadline passed first, or the letter's last query is still
    // stuck: `kind` is then the class last seen, and nothing else is known.
    bool answered = false;
    DriveClass kind = DriveClass::None;
    // The fixed-lists query of C: also tells whether C: has a size (the floppy letters wait
    // for that).
    bool systemDriveHasSize = false;
    bool volumeRead = false; // the volume was asked for
    port::VolumeInfo volume;
    bool spaceRead = false; // the capacity was asked for
    port::DiskSpace space;
    int icon = -1;
};

using DriveAnswers = std::array<DriveAnswer, 26>;

// Asks the drives about one letter; runs off the window's thread and touches nothing but
// the port. It stores the class in `kindSeen` as soon as it knows it, so that a query stuck
// on the volume still tells which list its failure line belongs to.
using DriveAsk =
    std::function<DriveAnswer(port::Drives& drives, char letter, std::atomic<int>& kindSeen)>;

struct DriveGathering;

struct DriveLane {
    bool busy = false;
    bool stuck = false;
    std::shared_ptr<std::atomic<int>> kindSeen;
    std::deque<std::shared_ptr<DriveGathering>> queued;
    // The query out may answer the pickers of refresh `shareTick` too; those that took it.
    bool shareable = false;
    std::uint64_t shareTick = 0;
    std::vector<std::shared_ptr<DriveGathering>> joined;
};

// One kind of survey (fixed lists, removable list, drive pickers). Rounds are numbered: a
// request is covered by the round begun after it.
struct SurveyTurn {
    bool running = false;
    bool again = false;
    std::uint64_t begun = 0;
    std::uint64_t ended = 0;
    struct Waiter {
        std::uint64_t round;
        std::coroutine_handle<> task;
    };
    std::vector<Waiter> waiting;
};

struct DriveQueryState {
    std::array<DriveLane, 26> lanes;
    // The class each letter had at its last answer; None for one never classified.
    std::array<DriveClass, 26> lastKind{};
    // Surveys waiting for answers; the deadline timer fires at the earliest one's deadline.
    std::vector<std::shared_ptr<DriveGathering>> waiting;
    SurveyTurn fixedLists, removable, pickers;
    // Counts the refreshes: surveys begun in the same one share their queries.
    std::uint64_t tick = 0;
};

// Whether a survey's queries answer others of the same refresh (the fixed lists' do), or it
// takes such answers (the pickers do).
enum class DriveSharing { None, Offers, Takes };

// How long a survey waits for its drives before their lines give up.
inline constexpr int DriveQueryDeadline = 2000; // milliseconds

// One survey's queries, a scope object of its task: Ask each letter, await Next() or All()
// as a named local, then Finish() for the answers.
class DriveQueries {
  public:
    DriveQueries(Program& p, DriveAsk ask, DriveSharing sharing = DriveSharing::None);
    ~DriveQueries();
    DriveQueries(const DriveQueries&) = delete;
    DriveQueries& operator=(const DriveQueries&) = delete;

    void Ask(char letter);
    // A letter the system lists no drive for: no query, the answer of an empty letter.
    void Absent(char letter);
    // The next letter back, std::nullopt once every letter asked is back or the deadline
    // has passed. The deadline starts with the first wait.
    tk::Gathering<char>::Awaiter Next();
    tk::Gathering<char>::Awaiter All();
    [[nodiscard]] const DriveAnswer& Answer(char letter) const;
    // The answers; a letter asked that did not answer has the class it was last seen with.
    const DriveAnswers& Finish();

  private:
    void StartDeadline();

    Program& p_;
    std::shared_ptr<DriveGathering> gathering_;
};

// The deadline timer's tick: the surveys whose deadline has passed go on with what they
// have; the timer is set for the next deadline.
void DriveQueriesTimedOut(Program& p);

// Awaiting it waits until the survey round that covers the request has shown its findings.
class SurveyShown {
  public:
    SurveyShown(tk::Application& app, SurveyTurn& turn)
        : app_(app), turn_(turn), round_(turn.begun + 1) {}
    bool await_ready() const noexcept { return turn_.ended >= round_; }
    void await_suspend(std::coroutine_handle<> task) {
        turn_.waiting.push_back({round_, task});
        app_.Hold(task);
    }
    void await_resume() const noexcept {}

  private:
    tk::Application& app_;
    SurveyTurn& turn_;
    std::uint64_t round_;
};

// The rounds of one survey task, a scope object: it runs the turn's round when no survey
// of its kind runs (else it only books one more after that), and every round asked for
// while it ran. Cut short (an error, the program's end), it gives the turn up.
class SurveyRounds {
  public:
    SurveyRounds(Program& p, SurveyTurn& turn);
    ~SurveyRounds();
    SurveyRounds(const SurveyRounds&) = delete;
    SurveyRounds& operator=(const SurveyRounds&) = delete;

    // False: the request was booked behind the survey running.
    [[nodiscard]] bool Taken() const { return mine_; }
    // After a round has shown its findings: those waiting for it go on; true when another
    // round was asked for meanwhile.
    bool Another();

  private:
    Program& p_;
    SurveyTurn& turn_;
    bool mine_;
};

} // namespace trelvix
