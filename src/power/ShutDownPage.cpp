#include "app/Main.h"
#include "app/Program.h"
#include "power/ShutdownSchedule.h"

#include <string>
#include <vector>

namespace trelvix {

namespace {

// "first".."last", then `repeated` once more when given.
std::vector<std::string> Numbers(int first, int last, const char* repeated = nullptr) {
    std::vector<std::string> items;
    for (int n = first; n <= last; ++n)
        items.push_back(std::to_string(n));
    if (repeated != nullptr)
        items.emplace_back(repeated);
    return items;
}

// The five fields sit in a ruled table: a caption row above a field row, each field in a
// cell of its own.
void LayOutFields(TMainForm& f) {
    constexpr int Left = 20, CellWidth = 90, Top = 40, Bottom = 100, CaptionsEnd = 64;
    tk::Panel* rules[] = {&f.Panel1, &f.Panel2, &f.Panel3};
    const int rows[] = {Top, CaptionsEnd, Bottom};
    for (int i = 0; i < 3; ++i)
        rules[i]->SetBounds(Left, rows[i], 5 * CellWidth + 3, 3);
    tk::Panel* walls[] = {&f.Panel4, &f.Panel5, &f.Panel6, &f.Panel7, &f.Panel8, &f.Panel9};
    for (int i = 0; i < 6; ++i)
        walls[i]->SetBounds(Left + i * CellWidth, Top, 3, Bottom - Top + 3);

    struct Cell {
        tk::Label& caption;
        tk::Control& field;
        const char* text;
    };
    const Cell cells[] = {{f.Label3, f.Edit1, "Year:"},
                          {f.Label4, f.ComboBox1, "Month:"},
                          {f.Label5, f.ComboBox2, "Day:"},
                          {f.Label6, f.ComboBox3, "Hour:"},
                          {f.Label7, f.ComboBox4, "Min:"}};
    for (int i = 0; i < 5; ++i) {
        const int cell = Left + 3 + i * CellWidth;
        cells[i].caption.SetCaption(cells[i].text);
        cells[i].caption.SetBounds(cell + 8, Top + 7, CellWidth - 16, 16);
        // The year's field leaves room for its spin button.
        cells[i].field.SetBounds(cell + 8, CaptionsEnd + 10, i == 0 ? 48 : 60, 21);
    }
    f.SpinButton1.SetBounds(Left + 3 + 58, CaptionsEnd + 8, 17, 25);
}

void BindShutDownPage(TMainForm& f) {
    Program& p = f.Prog;
    f.Edit1.OnKeyPress = [](char& key) { FilterYearKey(key); };
    f.Edit1.OnChange = [&p] { YearChanged(p); };
    f.SpinButton1.OnUpClick = [&p] { StepYear(p, +1); };
    f.SpinButton1.OnDownClick = [&p] { StepYear(p, -1); };
    ShutdownScheduleState& s = p.Schedule;
    f.ComboBox1.OnChange = [&f, &s] { s.ScheduledMonth = f.ComboBox1.Text(); };
    f.ComboBox2.OnChange = [&f, &s] { s.ScheduledDay = f.ComboBox2.Text(); };
    f.ComboBox3.OnChange = [&f, &s] { s.ScheduledHour = f.ComboBox3.Text(); };
    f.ComboBox4.OnChange = [&f, &s] { s.ScheduledMinute = f.ComboBox4.Text(); };
    f.Button2.OnClick = [&p] { FillDateTimeNow(p); };
    f.BitBtn4.OnClick = [&p] { ArmButtonClick(p, PowerAction::ShutDown); };
    f.BitBtn25.OnClick = [&p] { ArmButtonClick(p, PowerAction::Hibernate); };
}

} // namespace

void DesignShutDownPage(TMainForm& f) {
    f.Label8.SetCaption(
        "Input Year, Month, Day, Hour and Minutes, when you want to ShutDown Computer "
        "automatically!");
    f.Label8.SetBounds(20, 14, 580, 16);
    LayOutFields(f);
    f.ComboBox1.SetItems(Numbers(1, 12));
    f.ComboBox2.SetItems(Numbers(1, 31));
    f.ComboBox3.SetItems(Numbers(0, 23, "0"));
    f.ComboBox4.SetItems(Numbers(0, 59, "0"));

    f.Button2.SetCaption("Update Date and Time");
    f.Button2.SetBounds(488, 56, 118, 30);

    f.BitBtn4.SetCaption("Now not ShutDown Computer at this time");
    f.BitBtn4.SetBounds(20, 125, 285, 50);
    f.BitBtn25.SetCaption("Now not Hibernate Computer at this time");
    f.BitBtn25.SetBounds(315, 125, 285, 50);

    f.Memo1.SetLines({"For shutdown Computer it must support ATX"});
    f.Memo1.SetBounds(20, 195, 580, 22);
    f.Memo2.SetLines({"For Hibernate Computer it must be turn on value in Control ",
                      "Panel-> Power Options-> Hibernate-> Enable Hibernation."});
    f.Memo2.SetBounds(20, 225, 580, 36);

    BindShutDownPage(f);
}

} // namespace trelvix
