#include "toolkit/Controls.h"

#include "toolkit/Application.h"
#include "toolkit/Errors.h"

#include <algorithm>

namespace tk {

// ---- Component ----

Component::Component(Form* owner, Kind kind, std::string name, int id)
    : owner_(owner), kind_(kind), name_(std::move(name)), id_(id) {
    if (owner_ != nullptr)
        owner_->components_.push_back(this);
}

Component::~Component() = default;

void Component::AttachPeer(std::unique_ptr<Peer> peer) {
    peer_ = std::move(peer);
}

void Component::Notify(Prop prop) const {
    if (peer_)
        peer_->Changed(prop);
}

void Component::Fire(const Handler& handler) const {
    if (!handler)
        return;
    if (owner_ != nullptr)
        owner_->App().Guard(handler);
    else
        handler();
}

// ---- Control ----

Control::Control(Form& owner, Control* parent, Kind kind, std::string name, int id)
    : Component(&owner, kind, std::move(name), id), parent_(parent) {}

Control::Control(Kind kind, std::string name, int id)
    : Component(nullptr, kind, std::move(name), id), parent_(nullptr) {}

void Control::SetCaption(const std::string& caption) {
    SetProperty(caption_, caption, Prop::Caption);
}

void Control::SetHint(const std::string& hint) {
    SetProperty(hint_, hint, Prop::Hint);
}

void Control::SetEnabled(bool enabled) {
    SetProperty(enabled_, enabled, Prop::Enabled);
}

void Control::SetVisible(bool visible) {
    if (SetProperty(visible_, visible, Prop::Visible) && GetKind() == Kind::Form)
        static_cast<Form*>(this)->NoteScreenChange();
}

void Control::SetBounds(int left, int top, int width, int height) {
    SetProperty(bounds_, Rect{left, top, width, height}, Prop::Bounds);
}

void Control::BoundsChangedByUser(int left, int top, int width, int height) {
    bounds_ = Rect{left, top, width, height};
}

void Control::SetFont(const tk::Font& font) {
    SetProperty(font_, font, Prop::Font);
}

void Control::SetColor(Color color) {
    SetProperty(color_, color, Prop::Color);
}

void Control::SetHandCursor(bool hand) {
    SetProperty(handCursor_, hand, Prop::Cursor);
}

void Control::SetPopupMenu(tk::PopupMenu* menu) {
    SetProperty(popupMenu_, menu, Prop::PopupMenu);
}

bool Control::Reachable() const {
    for (const Control* c = this; c != nullptr; c = c->parent_)
        if (!c->enabled_ || !c->visible_)
            return false;
    return true;
}

void Control::Repaint() const {
    if (GetPeer() != nullptr)
        GetPeer()->Repaint();
}

void Control::SetFocus() {
    if (!Reachable())
        return;
    if (Form* form = Owner())
        form->activeControl_ = this;
    if (GetPeer() != nullptr)
        GetPeer()->Focus();
}

void Control::Click() {
    if (Reachable())
        Fire(OnClick);
}

void Control::DblClick() {
    if (Reachable())
        Fire(OnDblClick);
}

// ---- Buttons ----

void ButtonBase::SetGlyph(const Bitmap& glyph) {
    SetProperty(glyph_, glyph, Prop::Glyph);
}

void ButtonBase::SetFlat(bool flat) {
    SetProperty(flat_, flat, Prop::Flat);
}

void CheckBox::SetChecked(bool checked) {
    SetProperty(checked_, checked, Prop::Checked);
}

void CheckBox::Click() {
    if (!Reachable())
        return;
    SetChecked(!checked_);
    Fire(OnClick);
}

// ---- Item lists ----

const std::string& ItemList::Item(int index) const {
    if (index < 0 || index >= Count())
        throw EListError(index);
    return items_[static_cast<size_t>(index)];
}

void ItemList::Add(const std::string& item) {
    items_.push_back(item);
    Notify(Prop::Items);
}

void ItemList::Clear() {
    if (items_.empty() && itemIndex_ == -1)
        return;
    items_.clear();
    itemIndex_ = -1;
    Notify(Prop::Items);
}

void ItemList::Delete(int index) {
    if (index < 0 || index >= Count())
        throw EListError(index);
    items_.erase(items_.begin() + index);
    if (itemIndex_ >= Count())
        itemIndex_ = -1;
    Notify(Prop::Items);
}

void ItemList::SetItems(std::vector<std::string> items) {
    // A refill with the same lines leaves the native list alone: no flicker, no work at every
    // timed refresh.
    if (items == items_)
        return;
    items_ = std::move(items);
    if (itemIndex_ >= Count())
        itemIndex_ = -1;
    Notify(Prop::Items);
}

void ItemList::SetItem(int index, const std::string& item) {
    if (index < 0 || index >= Count())
        throw EListError(index);
    if (items_[static_cast<size_t>(index)] == item)
        return;
    items_[static_cast<size_t>(index)] = item;
    Notify(Prop::Items);
}

void ItemList::SetItemIndex(int index) {
    if (index < -1 || index >= Count())
        index = -1;
    SetProperty(itemIndex_, index, Prop::ItemIndex);
}

void ItemList::SelectionChangedByUser(int index) {
    if (index < -1 || index >= Count())
        index = -1;
    // The native control already shows the new selection: no need to push it back.
    itemIndex_ = index;
}

void ListBox::SelectItem(int index) {
    if (!Reachable())
        return;
    SelectionChangedByUser(index);
    Fire(OnClick);
}

void ComboBox::SetText(const std::string& text) {
    SetProperty(text_, text, Prop::Text);
}

void ComboBox::SelectItem(int index) {
    if (!Reachable())
        return;
    SelectionChangedByUser(index);
    if (ItemIndex() >= 0)
        text_ = Item(ItemIndex());
    Fire(OnChange);
}

void ComboBox::TypeText(const std::string& text) {
    if (!Reachable())
        return;
    // The native field already shows what was typed.
    text_ = text;
    Fire(OnChange);
}

void DriveComboBox::SetDrives(const std::vector<DriveItem>& drives) {
    // An unchanged list is not rebuilt: the drop-down does not flicker at every refresh.
    SetProperty(drives_, drives, Prop::Items);
}

void DriveComboBox::SetDrive(char letter) {
    SetProperty(drive_, letter, Prop::ItemIndex);
}

void DriveComboBox::SelectDrive(char letter) {
    if (!Reachable())
        return;
    drive_ = letter;
    Fire(OnChange);
}

// ---- Edits ----

void Edit::SetText(const std::string& text) {
    if (SetProperty(text_, text, Prop::Text))
        Fire(OnChange);
}

char Edit::KeyPress(char key) {
    if (!Reachable())
        return key;
    if (OnKeyPress)
        Owner()->App().Guard([&] { OnKeyPress(key); });
    return key;
}

void Memo::SetLines(const std::vector<std::string>& lines) {
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            text += "\r\n";
        text += lines[i];
    }
    SetText(text);
}

// ---- Track bar, up-down ----

void TrackBar::SetRange(int min, int max) {
    SetProperty(range_, Range{min, std::max(min, max)}, Prop::Range);
    SetPosition(position_);
}

void TrackBar::SetPosition(int position) {
    if (SetProperty(position_, std::clamp(position, range_.min, range_.max), Prop::Position))
        Fire(OnChange);
}

void ProgressBar::SetProgress(int position, int max) {
    max = std::max(max, 1);
    SetProperty(max_, max, Prop::Range);
    SetProperty(position_, std::clamp(position, 0, max), Prop::Position);
}

void UpDown::UpClick() {
    if (Reachable())
        Fire(OnUpClick);
}

void UpDown::DownClick() {
    if (Reachable())
        Fire(OnDownClick);
}

// ---- Pages ----

void PageControl::SetActivePageIndex(int index) {
    if (index < 0 || index >= PageCount() || index == active_)
        return;
    ShowPage(index);
}

void PageControl::SelectTab(int index) {
    if (!Reachable() || index < 0 || index >= PageCount() || index == active_)
        return;
    ShowPage(index);
    Fire(OnChange);
}

// The page's controls get their peers before it shows, if they have none yet.
void PageControl::ShowPage(int index) {
    active_ = index;
    if (Form* form = Owner())
        form->App().PageShowing(*form);
    Notify(Prop::ActivePage);
}

TabSheet::TabSheet(Form& owner, PageControl& pages, std::string name, int id)
    : Control(owner, &pages, Kind::TabSheet, std::move(name), id), index_(pages.PageCount()) {
    pages.pages_.push_back(this);
    if (pages.active_ < 0)
        pages.active_ = 0;
}

// ---- Date and time, image ----

void DateTimePicker::SetValue(const DateTime& value) {
    if (SetProperty(value_, value, Prop::Value))
        Fire(OnChange);
}

void DateTimePicker::ChangeByUser(const DateTime& value) {
    // The native control already shows the new value: no need to push it back.
    if (!Reachable() || value_ == value)
        return;
    value_ = value;
    Fire(OnChange);
}

void Image::SetPicture(const Bitmap& picture) {
    SetProperty(picture_, picture, Prop::Picture);
}

// ---- Timer ----

Timer::Timer(Form& owner, std::string name, int id)
    : Component(&owner, Kind::Timer, std::move(name), id) {}

void Timer::SetInterval(int milliseconds) {
    SetProperty(interval_, std::max(0, milliseconds), Prop::Interval);
}

void Timer::SetEnabled(bool enabled) {
    SetProperty(enabled_, enabled, Prop::Enabled);
}

void Timer::Tick() {
    if (Running())
        Fire(OnTimer);
}

// ---- Menus ----

MenuItem::MenuItem(Form& owner, Component& parent, std::string name, int id, std::string caption,
                   int shortCut)
    : Component(&owner, Kind::MenuItem, std::move(name), id), parent_(parent),
      caption_(std::move(caption)), shortCut_(shortCut) {
    if (auto* item = dynamic_cast<MenuItem*>(&parent))
        item->items_.push_back(this);
    else if (auto* bar = dynamic_cast<MainMenu*>(&parent))
        bar->items_.push_back(this);
    else if (auto* popup = dynamic_cast<PopupMenu*>(&parent))
        popup->items_.push_back(this);
}

void MenuItem::SetCaption(const std::string& caption) {
    SetProperty(caption_, caption, Prop::Caption);
}

void MenuItem::SetChecked(bool checked) {
    SetProperty(checked_, checked, Prop::Checked);
}

void MenuItem::SetEnabled(bool enabled) {
    SetProperty(enabled_, enabled, Prop::Enabled);
}

void MenuItem::Click() {
    if (enabled_ && !IsSeparator())
        Fire(OnClick);
}

namespace {
MenuItem* FindShortCutIn(const std::vector<MenuItem*>& items, int shortCut) {
    for (MenuItem* item : items) {
        if (item->ShortCut() == shortCut && item->Enabled())
            return item;
        if (MenuItem* inner = FindShortCutIn(item->Items(), shortCut))
            return inner;
    }
    return nullptr;
}
} // namespace

MenuItem* MainMenu::FindShortCut(int shortCut) const {
    return shortCut == 0 ? nullptr : FindShortCutIn(items_, shortCut);
}

void PopupMenu::Popup(int x, int y) {
    ++popups_;
    if (GetPeer() != nullptr)
        GetPeer()->Popup(x, y);
}

// ---- Form ----

Form::Form(Application& app, std::string name, int id)
    : Control(Kind::Form, std::move(name), id), app_(app) {
    AdoptOwner(this);
    SetVisible(false);
}

Form::~Form() {
    app_.FormGone(*this);
}

Component* Form::FindById(int id) const {
    for (Component* c : components_)
        if (c->Id() == id)
            return c;
    return nullptr;
}

void Form::SetClientSize(int width, int height) {
    SetProperty(clientSize_, Size{width, height}, Prop::Bounds);
}

void Form::SetWindowState(tk::WindowState state) {
    if (SetProperty(state_, state, Prop::WindowState))
        NoteScreenChange();
}

void Form::NoteScreenChange() {
    if (onScreen_ == OnScreen())
        return;
    onScreen_ = OnScreen();
    Fire(OnScreenChanged);
}

void Form::SetTopmost(bool topmost) {
    // Always pushed: the program re-asserts the z-order after other windows moved.
    topmost_ = topmost;
    Notify(Prop::Topmost);
}

void Form::SetTaskbarProgress(const tk::TaskbarProgress& progress) {
    SetProperty(taskbar_, progress, Prop::Taskbar);
}

void Form::BringToFront() const {
    if (GetPeer() != nullptr)
        GetPeer()->BringToFront();
}

char Form::KeyPress(char key) {
    if (KeyPreview && OnKeyPress)
        app_.Guard([&] { OnKeyPress(key); });
    return key;
}

bool Form::ShortCut(int shortCut) {
    MenuItem* item = Menu != nullptr ? Menu->FindShortCut(shortCut) : nullptr;
    if (item == nullptr)
        return false;
    item->Click();
    return true;
}

void Form::Close() {
    Fire(OnClose);
    if (modal_) {
        modal_ = false;
        if (app_.GetHost() != nullptr)
            app_.GetHost()->EndModal(*this);
        SetVisible(false);
    } else if (app_.MainForm() == this) {
        app_.Terminate();
    } else {
        SetVisible(false);
    }
}

void Form::Activate() {
    Fire(OnActivate);
}

void Form::DrawPicture(const port::RgbPixels& picture, int x, int y) const {
    if (GetPeer() != nullptr)
        GetPeer()->DrawPicture(picture, x, y);
}

} // namespace tk
