#include "app/Main.h"
#include "app/OptionsForm.h"
#include "disks/VolumeLabelDialog.h"
#include "fakes/TestProgram.h"
#include "tools/AboutForm.h"
#include "toolkit/Controls.h"
#include "toolkit/Errors.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

// What a native peer shows of one property of its component, as text.
std::string Value(const tk::Component& component, tk::Prop prop) {
    using tk::Prop;
    const auto* c = dynamic_cast<const tk::Control*>(&component);
    const auto* list = dynamic_cast<const tk::ItemList*>(&component);
    const auto* combo = dynamic_cast<const tk::ComboBox*>(&component);
    const auto* drives = dynamic_cast<const tk::DriveComboBox*>(&component);
    const auto* edit = dynamic_cast<const tk::Edit*>(&component);
    const auto* bar = dynamic_cast<const tk::TrackBar*>(&component);
    const auto* progress = dynamic_cast<const tk::ProgressBar*>(&component);
    const auto* button = dynamic_cast<const tk::ButtonBase*>(&component);
    const auto* box = dynamic_cast<const tk::CheckBox*>(&component);
    const auto* item = dynamic_cast<const tk::MenuItem*>(&component);
    const auto* timer = dynamic_cast<const tk::Timer*>(&component);
    const auto* form = dynamic_cast<const tk::Form*>(&component);
    const auto* status = dynamic_cast<const tk::StatusBar*>(&component);
    std::string v;
    const auto add = [&v](const auto&... parts) { ((v += std::to_string(parts) + ","), ...); };
    switch (prop) {
    case Prop::Caption:
        v = c != nullptr ? c->Caption() : item != nullptr ? item->Caption() : "";
        break;
    case Prop::Hint:
        v = c != nullptr ? c->Hint() : "";
        break;
    case Prop::Enabled:
        add(c != nullptr      ? c->Enabled()
            : item != nullptr ? item->Enabled()
                              : timer != nullptr && timer->Enabled());
        break;
    case Prop::Visible:
        add(c != nullptr && c->Visible());
        break;
    case Prop::Bounds:
        if (c != nullptr)
            add(c->Left(), c->Top(), c->Width(), c->Height());
        if (form != nullptr)
            add(form->ClientWidth(), form->ClientHeight());
        break;
    case Prop::Font:
        if (c != nullptr) {
            const tk::Font& f = c->GetFont();
            v = f.name;
            add(f.size, f.bold, f.underline, f.color);
        }
        break;
    case Prop::Color:
        if (c != nullptr)
            add(c->GetColor());
        break;
    case Prop::Cursor:
        add(c != nullptr && c->HandCursor());
        break;
    case Prop::Glyph:
        if (button != nullptr)
            v = button->Glyph().name + (button->Glyph().Empty() ? "" : "+");
        break;
    case Prop::Flat:
        add(button != nullptr && button->Flat());
        break;
    case Prop::Items:
    case Prop::ItemIndex:
    case Prop::Text:
        // A list's items, selection and text go together: new items may move the selection.
        if (list != nullptr) {
            for (const std::string& line : list->Items())
                v += line + "\n";
            add(list->ItemIndex());
        }
        if (drives != nullptr) {
            for (const tk::DriveItem& d : drives->Drives())
                v += d.text + "\n";
            v += drives->Drive();
        }
        if (combo != nullptr)
            v += combo->Text();
        if (edit != nullptr)
            v += edit->Text();
        break;
    case Prop::Value:
        if (const auto* picker = dynamic_cast<const tk::DateTimePicker*>(&component)) {
            const tk::DateTime& t = picker->Value();
            add(t.year, t.month, t.day, t.hour, t.minute, t.second);
        }
        break;
    case Prop::Position:
    case Prop::Range:
        if (bar != nullptr)
            add(bar->Min(), bar->Max(), bar->Position());
        if (progress != nullptr)
            add(progress->Max(), progress->Position());
        break;
    case Prop::ActivePage:
        if (const auto* pages = dynamic_cast<const tk::PageControl*>(&component))
            add(pages->ActivePageIndex());
        break;
    case Prop::Checked:
        add(box != nullptr ? box->Checked() : item != nullptr && item->Checked());
        break;
    case Prop::Interval:
        add(timer != nullptr ? timer->Interval() : 0);
        break;
    case Prop::ShortCut:
        add(item != nullptr ? item->ShortCut() : 0);
        break;
    case Prop::WindowState:
        add(form != nullptr && form->GetWindowState() == tk::WindowState::Minimized);
        break;
    case Prop::Topmost:
        add(form != nullptr && form->Topmost());
        break;
    case Prop::Picture:
        if (const auto* image = dynamic_cast<const tk::Image*>(&component))
            v = image->Picture().name + (image->Picture().Empty() ? "" : "+");
        break;
    case Prop::PopupMenu:
        if (c != nullptr && c->GetPopupMenu() != nullptr)
            v = c->GetPopupMenu()->Name();
        break;
    case Prop::PartText:
        if (status != nullptr)
            v = status->SecondPartText();
        break;
    case Prop::Taskbar:
        if (form != nullptr)
            add(static_cast<int>(form->TaskbarProgress().state), form->TaskbarProgress().done,
                form->TaskbarProgress().total);
        break;
    case Prop::Look:
        break;
    }
    return v;
}

// Every property a peer shows, by name; Look is the application's palette, read from there.
const struct {
    tk::Prop prop;
    const char* name;
} AllProps[] = {
    {tk::Prop::Caption, "Caption"},     {tk::Prop::Hint, "Hint"},
    {tk::Prop::Enabled, "Enabled"},     {tk::Prop::Visible, "Visible"},
    {tk::Prop::Bounds, "Bounds"},       {tk::Prop::Font, "Font"},
    {tk::Prop::Color, "Color"},         {tk::Prop::Cursor, "Cursor"},
    {tk::Prop::Glyph, "Glyph"},         {tk::Prop::Flat, "Flat"},
    {tk::Prop::Items, "Items"},         {tk::Prop::Value, "Value"},
    {tk::Prop::Position, "Position"},   {tk::Prop::ActivePage, "ActivePage"},
    {tk::Prop::Checked, "Checked"},     {tk::Prop::Interval, "Interval"},
    {tk::Prop::ShortCut, "ShortCut"},   {tk::Prop::WindowState, "WindowState"},
    {tk::Prop::Topmost, "Topmost"},     {tk::Prop::Picture, "Picture"},
    {tk::Prop::PopupMenu, "PopupMenu"}, {tk::Prop::PartText, "PartText"},
    {tk::Prop::Taskbar, "Taskbar"},
};

// Props that show the same value share one entry (Items, ItemIndex and Text; Position and Range).
tk::Prop Entry(tk::Prop prop) {
    switch (prop) {
    case tk::Prop::ItemIndex:
    case tk::Prop::Text:
        return tk::Prop::Items;
    case tk::Prop::Range:
        return tk::Prop::Position;
    default:
        return prop;
    }
}

std::string NameOf(tk::Prop prop) {
    for (const auto& p : AllProps)
        if (p.prop == prop)
            return p.name;
    return "?";
}

using Shown = std::map<std::string, std::string>;

Shown Read(const tk::Component& component) {
    Shown shown;
    for (const auto& p : AllProps)
        shown[p.name] = Value(component, p.prop);
    return shown;
}

class RecordingHost;

// Reads its whole component when made, and then only the property it is told of, as a
// native peer does: an early peer shows what it was told, a late one what it read.
class RecordingPeer : public tk::Peer {
  public:
    RecordingPeer(RecordingHost& host, tk::Component& component);
    void Changed(tk::Prop prop) override;
    Shown shown;

  private:
    RecordingHost& host_;
    tk::Component& component_;
};

class RecordingHost : public tk::Host {
  public:
    std::unique_ptr<tk::Peer> CreatePeer(tk::Component& component) override {
        if (component.Name() == refused)
            throw tk::EOutOfResources("Cannot create the window of " + refused);
        ++made;
        return std::make_unique<RecordingPeer>(*this, component);
    }
    void RunModal(tk::Form& form) override {
        if (onModal)
            onModal(form);
    }
    void EndModal(tk::Form& /*form*/) override {}
    void Quit(int exitCode) override { quitWith = exitCode; }
    void SetIdleWork(std::function<bool()> work) override { idle = std::move(work); }

    // The message loop with nothing to do: the idle work until it finds none.
    int Idle() {
        int steps = 0;
        while (idle && idle())
            ++steps;
        return steps;
    }

    int made = 0;
    std::optional<int> quitWith;
    // The form whose window the system refuses.
    std::string refused;
    std::function<bool()> idle;
    std::function<void(tk::Form&)> onModal;
    // Each page control's peer checks, as it shows a page, that the page's controls exist.
    std::vector<std::string> shownBeforeMade;
};

RecordingPeer::RecordingPeer(RecordingHost& host, tk::Component& component)
    : shown(Read(component)), host_(host), component_(component) {}

void RecordingPeer::Changed(tk::Prop prop) {
    if (prop != tk::Prop::Look)
        shown[NameOf(Entry(prop))] = Value(component_, Entry(prop));
    const auto* pages = dynamic_cast<const tk::PageControl*>(&component_);
    if (prop != tk::Prop::ActivePage || pages == nullptr)
        return;
    for (tk::Component* c : component_.Owner()->Components()) {
        const auto* control = dynamic_cast<const tk::Control*>(c);
        if (control != nullptr && c->GetPeer() == nullptr && !tk::LatePeers::OnHiddenPage(*control))
            host_.shownBeforeMade.push_back(c->Name());
    }
}

std::vector<tk::Form*> FormsOf(trelvix::Program& p) {
    return {p.MainForm.get(), p.About.get(), p.Options.get(), p.SetVolumeName.get()};
}

// Components with no peer yet, by name, over every form.
std::vector<std::string> WithoutPeer(trelvix::Program& p) {
    std::vector<std::string> names;
    for (tk::Form* form : FormsOf(p)) {
        if (form->GetPeer() == nullptr)
            names.push_back(form->Name());
        for (tk::Component* c : form->Components())
            if (c->GetPeer() == nullptr)
                names.push_back(c->Name());
    }
    return names;
}

struct LateStart {
    RecordingHost host;
    fakes::TestProgram t;
    explicit LateStart(std::uint32_t storedPage) {
        t.host = &host;
        t.Store("IndexOfTab", storedPage);
        t.Start();
    }
};

// Whatever page shows first and however the rest is made, every peer ends showing what its
// component holds: a control made late equals one made early.
TEST(LatePeers, EveryPeerShowsItsComponentWhicheverWayItWasMade) {
    const struct {
        const char* how;
        std::uint32_t page;
        std::function<void(LateStart&)> finish;
    } rows[] = {
        {"idle moments, Disks first", 0, [](LateStart& s) { s.host.Idle(); }},
        {"idle moments, FreeTemp first", 2, [](LateStart& s) { s.host.Idle(); }},
        {"a result delivered, AutoStart first", 6,
         [](LateStart& s) { s.t.P().App.DeliverResults(); }},
        {"every page clicked, then idle", 0,
         [](LateStart& s) {
             for (int page = 6; page >= 0; --page)
                 s.t.Main().Disks.SelectTab(page);
             s.host.Idle();
         }},
    };
    for (const auto& row : rows) {
        LateStart s(row.page);
        auto& p = s.t.P();
        EXPECT_FALSE(WithoutPeer(p).empty()) << row.how << ": some are made late";
        row.finish(s);
        EXPECT_EQ(WithoutPeer(p), std::vector<std::string>{}) << row.how;
        EXPECT_EQ(s.host.shownBeforeMade, std::vector<std::string>{}) << row.how;
        for (tk::Form* form : FormsOf(p)) {
            std::vector<tk::Component*> all = form->Components();
            all.push_back(form);
            for (tk::Component* c : all) {
                const auto* peer = dynamic_cast<const RecordingPeer*>(c->GetPeer());
                ASSERT_NE(peer, nullptr) << row.how << ": " << c->Name();
                EXPECT_EQ(peer->shown, Read(*c)) << row.how << ": " << c->Name();
            }
        }
    }
}

// What shows at once is made before the window shows; the rest only when asked for.
TEST(LatePeers, TheWindowShowsFirstAndTheRestComesWhenNeeded) {
    LateStart s(3);
    auto& p = s.t.P();
    auto& f = s.t.Main();
    ASSERT_EQ(f.Disks.ActivePageIndex(), 3);
    auto isLate = [](const tk::Component& c) { return c.GetPeer() == nullptr; };
    EXPECT_FALSE(isLate(f)) << "the main window";
    EXPECT_FALSE(isLate(f.StatusBar1)) << "outside the pages";
    EXPECT_FALSE(isLate(*f.Disks.Pages()[0])) << "every sheet, for its tab";
    EXPECT_TRUE(isLate(f.ListBox1)) << "the Disks page is not shown";
    EXPECT_FALSE(isLate(f.Label8)) << "the stored page is";
    EXPECT_TRUE(isLate(*p.About)) << "a dialog";
    EXPECT_EQ(s.host.shownBeforeMade, std::vector<std::string>{});

    // A dialog opened before the idle moments came is whole when it shows.
    std::vector<std::string> modalWithoutPeer;
    s.host.onModal = [&](tk::Form& form) {
        for (tk::Component* c : form.Components())
            if (c->GetPeer() == nullptr)
                modalWithoutPeer.push_back(c->Name());
        form.Close();
    };
    p.App.ShowModal(*p.About);
    EXPECT_EQ(modalWithoutPeer, std::vector<std::string>{});
    EXPECT_NE(p.About->GetPeer(), nullptr);
    EXPECT_GT(s.host.Idle(), 1) << "the rest a little at a time";
    EXPECT_EQ(WithoutPeer(p), std::vector<std::string>{});
}

// The program ending, or a dialog going, before its peers were made leaves nothing to make.
TEST(LatePeers, NothingIsMadeForWhatIsGone) {
    LateStart s(0);
    s.t.P().SetVolumeName.reset();
    const int before = s.host.made;
    s.host.Idle();
    EXPECT_GT(s.host.made, before);
    LateStart ending(0);
    ending.t.P().App.End();
    const int madeBeforeEnd = ending.host.made;
    EXPECT_EQ(ending.host.Idle(), 0);
    EXPECT_EQ(ending.host.made, madeBeforeEnd);
}

// A dialog's window that the system refuses, made late, ends the program as at start: the
// standard error box once, exit code 1, and nothing more of it made or shown.
TEST(LatePeers, ADialogWindowRefusedLateShowsTheErrorBoxAndEndsTheProgram) {
    const struct {
        const char* how;
        std::function<void(LateStart&)> reach;
    } rows[] = {
        {"an idle moment", [](LateStart& s) { s.host.Idle(); }},
        {"a result delivered", [](LateStart& s) { s.t.P().App.DeliverResults(); }},
        {"opened first", [](LateStart& s) { s.t.P().App.ShowModal(*s.t.P().About); }},
    };
    for (const auto& row : rows) {
        LateStart s(0);
        auto& p = s.t.P();
        s.host.refused = p.About->Name();
        bool opened = false;
        s.host.onModal = [&](tk::Form&) { opened = true; };
        row.reach(s);
        const std::vector<fakes::ShownBox> box{
            {"Cannot create the window of " + p.About->Name() + ".", p.App.Title(),
             s.t.fake.desktop.boxes.empty() ? 0U : s.t.fake.desktop.boxes[0].flags}};
        EXPECT_EQ(s.t.fake.desktop.boxes, box) << row.how;
        EXPECT_EQ(s.host.quitWith, 1) << row.how;
        EXPECT_FALSE(opened) << row.how;
        EXPECT_EQ(p.App.LatePeersWaiting(), 0U) << row.how;
        EXPECT_EQ(p.About->GetPeer(), nullptr) << row.how;
        // A later try to open it fails the same way, without a second window or box pile-up.
        p.App.ShowModal(*p.About);
        EXPECT_FALSE(opened) << row.how;
    }
}

} // namespace
