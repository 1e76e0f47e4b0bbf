#pragma once

#include "disks/DriveLines.h"
#include "platform/Drives.h"
#include "toolkit/Controls.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

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
// Sees each answer on the window's thread as it arrives; may ask about more letters.
using DriveAnswerHook = std::function<void(const std::shared_ptr<DriveGathering>& gathering,
                                           char letter, const DriveAnswer& answer)>;

// The queries of one letter run one after another: a query asked for while another is out
// waits for it. Once a survey gave up on the one out, the letter counts as stuck and every
// survey gives it its failure line at once, until that query answers.
struct DriveLane {
    bool busy = false;
    bool stuck = false;
    std::shared_ptr<std::atomic<int>> kindSeen;
    std::deque<std::shared_ptr<DriveGathering>> queued;
};

// One kind of survey (fixed lists, removable list, drive pickers): one runs at a time; asked
// for while it runs, one more follows it, and every continuation given meanwhile runs after
// that one.
struct SurveyTurn {
    bool running = false;
    bool again = false;
    std::vector<tk::Handler> after, afterAgain;
};

struct DriveQueryState {
    std::array<DriveLane, 26> lanes;
    // The class each letter had at its last answer; None for one never classified.
    std::array<DriveClass, 26> lastKind{};
    // Surveys waiting for answers; the deadline timer fires at the earliest one's deadline.
    std::vector<std::shared_ptr<DriveGathering>> waiting;
    SurveyTurn fixedLists, removable, pickers;
};

// How long a survey waits for its drives before their lines give up.
inline constexpr int DriveQueryDeadline = 2000; // milliseconds

// One survey's queries: `Begin`, `Ask` each letter (also from `onAnswer`), `Finish`.
// `compose` runs once on the window's thread, when every letter asked has answered or the
// deadline passed, with the answers of the letters asked. The Refresh button shows its
// busy glyph until then, unless `showBusy` is false (a check the user did not ask for).
std::shared_ptr<DriveGathering> BeginDriveQueries(Program& p, DriveAsk ask,
                                                  std::function<void(const DriveAnswers&)> compose,
                                                  DriveAnswerHook onAnswer = nullptr,
                                                  bool showBusy = true);
void AskDrive(Program& p, const std::shared_ptr<DriveGathering>& gathering, char letter);
void FinishAskingDrives(Program& p, const std::shared_ptr<DriveGathering>& gathering);
// The deadline timer's tick: the surveys whose deadline has passed compose with what they
// have; the timer is set for the next deadline.
void DriveQueriesTimedOut(Program& p);

// True when the survey may start now; otherwise it is booked to follow the running one,
// `then` with it.
bool BeginSurveyTurn(SurveyTurn& turn, tk::Handler then);
// After a survey: its continuations, then the one booked meanwhile, if any, through `again`.
void EndSurveyTurn(Program& p, SurveyTurn& turn, const std::function<void(tk::Handler)>& again);

} // namespace trelvix
