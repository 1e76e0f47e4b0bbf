#include "app/OptionsForm.h"

#include "app/Program.h"
#include "app/RefreshCycle.h"
#include "app/Settings.h"
#include "app/StatusLine.h"
#include "disks/CapacityText.h"
#include "disks/DriveSurvey.h"
#include "disks/LowSpaceWarning.h"

#include <algorithm>
#include <optional>
#include <string>

namespace trelvix {

namespace {

constexpr char Escape = 27;
// Switching refreshing on with the button always starts at this period.
constexpr int SwitchedOnPeriod = 5;

std::string PeriodText(const Program& p) {
    return p.IntervalFlag ? std::to_string(p.Interval) + " seconds" : "Stop Refresh";
}

std::string SwitchText(bool on) {
    return on ? "Now On" : "Now Off";
}

// A threshold typed in: digits only, 0..MaxLowSpaceGB.
std::optional<std::int32_t> ThresholdOf(const std::string& text) {
    if (text.empty() || text.size() > 6 ||
        !std::ranges::all_of(text, [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    const std::int32_t value = std::stoi(text);
    if (value > MaxLowSpaceGB)
        return std::nullopt;
    return value;
}

// The unit scale's position of a divisor; 0 (bytes) for none of the four.
int UnitPosition(std::int64_t divisor) {
    const auto at = std::ranges::find(CapacityDivisors, divisor);
    return at == CapacityDivisors.end() ? 0 : static_cast<int>(at - CapacityDivisors.begin());
}

} // namespace

TOptions::TOptions(Program& program)
    : tk::Form(program.App, "Options", ids::options::Form), Prog(program) {
    Design();
    BindEvents();
}

void TOptions::Design() {
    SetCaption("Options");
    SetClientSize(352, 209);
    Dialog = true;
    CenterOnScreen = true;
    KeyPreview = true;
    tk::Font title = GetFont();
    title.bold = true;
    title.size = 10;
    const tk::Bitmap closeGlyph{"close.bmp", Prog.Ports.bitmaps.LoadBuiltIn("close.bmp")};

    PageControl1.SetBounds(0, 0, 352, 209);
    TabSheet1.SetCaption("Interval");
    Capacity.SetCaption("Capacity");

    Label1.SetBounds(8, 10, 330, 18);
    Label1.SetCaption("Interval of devices information refreshing");
    Label1.SetFont(title);
    TrackBar1.SetBounds(8, 38, 328, 32);
    TrackBar1.SetRange(1, 60);
    TrackBar1.SetPosition(1);
    Label2.SetBounds(16, 76, 200, 16);
    BitBtn1.SetBounds(8, 136, 100, 30);
    BitBtn3.SetBounds(236, 136, 100, 30);
    BitBtn3.SetHint("Close");
    BitBtn3.SetCaption("Close");
    BitBtn3.SetGlyph(closeGlyph);

    Label3.SetBounds(8, 10, 330, 18);
    Label3.SetCaption("Select which Capacity you Want to display");
    Label3.SetFont(title);
    Label4.SetBounds(8, 30, 330, 18);
    Label4.SetCaption("in Disks");
    Label4.SetFont(title);
    TrackBar2.SetBounds(8, 56, 328, 32);
    TrackBar2.SetRange(0, 3);
    TrackBar2.SetPosition(0);
    // Each scale label sits under its position of the track bar.
    struct ScaleLabel {
        tk::Label& label;
        int left;
        const char* caption;
    };
    const ScaleLabel scale[] = {{Label5, 8, "Bytes"},
                                {Label6, 105, "KBytes"},
                                {Label7, 204, "MBytes"},
                                {Label8, 304, "GBytes"}};
    for (const ScaleLabel& s : scale) {
        s.label.SetBounds(s.left, 90, 40, 16);
        s.label.SetCaption(s.caption);
    }
    BitBtn2.SetBounds(236, 136, 100, 30);
    BitBtn2.SetHint("Close");
    BitBtn2.SetCaption("Close");

    Notices.SetCaption("Notices");
    Label9.SetBounds(8, 12, 330, 16);
    Label9.SetCaption("Warn when a fixed drive has less free space than");
    Edit1.SetBounds(8, 34, 70, 22);
    Edit1.SetMaxLength(6);
    UpDown1.SetBounds(78, 34, 17, 22);
    Label10.SetBounds(102, 37, 40, 16);
    Label10.SetCaption("GB");
    Label11.SetBounds(8, 62, 330, 16);
    Label11.SetCaption("0 turns the warning off");
    CheckBox1.SetBounds(8, 88, 330, 34);
    CheckBox1.SetCaption(
        "Tell me when a program adds itself to the programs that start with Windows");
    BitBtn4.SetBounds(236, 136, 100, 30);
    BitBtn4.SetHint("Close");
    BitBtn4.SetCaption("Close");
    BitBtn4.SetGlyph(closeGlyph);
}

void TOptions::BindEvents() {
    OnCreate = [this] { FormCreate(); };
    OnActivate = [this] { FormActivate(); };
    OnClose = [this] { FormClose(); };
    OnKeyPress = [this](char& key) {
        if (key == Escape)
            Close();
    };
    TrackBar1.OnChange = [this] { TrackBar1Change(); };
    TrackBar2.OnChange = [this] { TrackBar2Change(); };
    BitBtn1.OnClick = [this] { BitBtn1Click(); };
    BitBtn2.OnClick = [this] { Close(); };
    BitBtn3.OnClick = [this] { Close(); };
    BitBtn4.OnClick = [this] { Close(); };
    CheckBox1.OnClick = [this] {
        Prog.WatchAutoStart = CheckBox1.Checked();
        ApplyAutoStartWatch(Prog);
    };
    Edit1.OnChange = [this] { Edit1Change(); };
    UpDown1.OnUpClick = [this] { StepLowSpace(+1); };
    UpDown1.OnDownClick = [this] { StepLowSpace(-1); };
    PageControl1.OnChange = [this] { PageControl1Change(); };
}

// ---- Handlers ----

void TOptions::FormCreate() {
    Prog.MainForm->AutoRun1.SetChecked(Prog.AutoRunOn);
    Label2.SetCaption(PeriodText(Prog));
    // The stored period and unit pass through the track bars' change handlers when they
    // move them: a period is clamped to 1..60 and switches refreshing on.
    if (Prog.Interval != 0) {
        TrackBar1.SetPosition(Prog.Interval);
        // A damaged pair leaves the bar where it was (a period below the scale, or one
        // second stored as off): it must still end on, in range, as the timer runs.
        if (TrackBar1.Position() != Prog.Interval || !Prog.IntervalFlag)
            TrackBar1Change();
    }
    TrackBar2.SetPosition(UnitPosition(Prog.ChangeOfBytes));
    ShowLowSpaceThreshold();
    CheckBox1.SetChecked(Prog.WatchAutoStart);
    PageControl1.SetActivePageIndex(Prog.IndexOfTabOptions);
}

void TOptions::FormActivate() {
    BitBtn1.SetCaption(SwitchText(Prog.IntervalFlag));
}

void TOptions::FormClose() {
    if (!Prog.IntervalFlag)
        Prog.Interval = 0;
    ShowLowSpaceThreshold();
    SaveSettings(Prog);
    ApplyRefreshInterval(Prog);
    RefreshAll(Prog);
}

void TOptions::TrackBar1Change() {
    Prog.IntervalFlag = true;
    Prog.Interval = TrackBar1.Position();
    ShowRefreshState();
}

void TOptions::BitBtn1Click() {
    if (Prog.IntervalFlag) {
        Prog.IntervalFlag = false;
        Prog.Interval = 0;
    } else {
        Prog.Interval = SwitchedOnPeriod;
        TrackBar1.SetPosition(SwitchedOnPeriod);
        Prog.IntervalFlag = true;
    }
    ShowRefreshState();
    ComposeStatusLine(Prog);
}

void TOptions::TrackBar2Change() {
    Prog.ChangeOfBytes = CapacityDivisors.at(static_cast<size_t>(TrackBar2.Position()));
    // Free space in the new unit must not be compared with figures in the old one.
    ResetChangeMarkers(Prog);
}

void TOptions::PageControl1Change() {
    ShowLowSpaceThreshold();
    Prog.IndexOfTabOptions = PageControl1.ActivePageIndex();
    SaveSettings(Prog);
}

void TOptions::Edit1Change() {
    const std::optional<std::int32_t> threshold = ThresholdOf(Edit1.Text());
    if (!threshold || *threshold == Prog.LowSpaceGB)
        return;
    Prog.LowSpaceGB = *threshold;
    ApplyLowSpaceTimer(Prog);
}

void TOptions::StepLowSpace(int step) {
    Edit1.SetText(std::to_string(std::clamp(Prog.LowSpaceGB + step, 0, MaxLowSpaceGB)));
}

void TOptions::ShowLowSpaceThreshold() {
    Edit1.SetText(std::to_string(Prog.LowSpaceGB));
}

void TOptions::ShowRefreshState() {
    BitBtn1.SetCaption(SwitchText(Prog.IntervalFlag));
    Label2.SetCaption(PeriodText(Prog));
    ApplyRefreshInterval(Prog);
}

} // namespace trelvix
