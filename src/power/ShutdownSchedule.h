#pragma once

#include <compare>
#include <string>

namespace trelvix {

class Program;
class TMainForm;

// A minute of local time, in the order that makes later minutes compare greater.
struct LocalMinute {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0;
    auto operator<=>(const LocalMinute&) const = default;
};

// The two power actions; their numbers are the values of PowerActionMode.
enum class PowerAction { ShutDown = 1, Hibernate = 2 };

struct ShutdownScheduleState {
    // The texts of the year, month, day, hour and minute fields as last taken.
    std::string ScheduledYear, ScheduledMonth, ScheduledDay, ScheduledHour, ScheduledMinute;
    // The arm button clicked last (a PowerAction); 0 before any click.
    int PowerActionMode = 0;
    // The minute the armed action fires in; meaningful while ShutDownPlanned.
    LocalMinute Target;
};

// The ShutDown page: its controls, their lists and their events.
void DesignShutDownPage(TMainForm& f);

// The five fields and the Scheduled texts take the current local date and time.
void FillDateTimeNow(Program& p);
// Both arm buttons show the picture of nothing armed.
void ShowNotArmedGlyphs(Program& p);
// The periodic check: fires the armed action in its minute, gives up on a missed one.
void CheckScheduledPowerAction(Program& p);

// The year field's key filter: digits only; everything else, backspace too, is dropped.
void FilterYearKey(char& key);
// The year field changed: a text longer than four characters loses its fourth ones.
void YearChanged(Program& p);
// The spin button: the year text as an integer, plus `step`.
void StepYear(Program& p, int step);
// A click on the arm button of `action`: disarms when armed, otherwise asks and arms.
void ArmButtonClick(Program& p, PowerAction action);

} // namespace trelvix
