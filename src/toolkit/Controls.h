#pragma once

#include "platform/Bitmaps.h"
#include "toolkit/Peer.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tk {

class Application;
class Form;
class PopupMenu;

using Handler = std::function<void()>;

enum class Kind {
    Form,
    Label,
    Button,
    BitBtn,
    SpeedButton,
    GroupBox,
    Panel,
    Bevel,
    ListBox,
    ComboBox,
    DriveComboBox,
    Edit,
    Memo,
    TrackBar,
    UpDown,
    PageControl,
    TabSheet,
    StatusBar,
    DateTimePicker,
    Image,
    Timer,
    MainMenu,
    PopupMenu,
    MenuItem,
    ProgressBar,
    CheckBox,
};

// Colours are 0x00BBGGRR; Default leaves the system's colour.
using Color = std::uint32_t;
inline constexpr Color clDefault = 0xFFFFFFFFu;
inline constexpr Color clMagenta = 0x00FF00FFu;
inline constexpr Color clBlue = 0x00FF0000u;
inline constexpr Color clRed = 0x000000FFu;
inline constexpr Color clMaroon = 0x00000080u;
inline constexpr Color clGreen = 0x00008000u;

struct Font {
    std::string name = "MS Sans Serif";
    int size = 8; // points
    bool bold = false;
    bool underline = false;
    Color color = clDefault;
    bool operator==(const Font&) const = default;
};

// A picture as a control keeps it: the platform image plus the name it came from,
// so that the program (and tests) can tell which picture a control shows.
struct Bitmap {
    std::string name;
    std::shared_ptr<const port::Image> image;
    [[nodiscard]] bool Empty() const { return image == nullptr; }
    bool operator==(const Bitmap& o) const { return name == o.name && image == o.image; }
};

class Component {
  public:
    Component(Form* owner, Kind kind, std::string name, int id);
    virtual ~Component();
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;

    [[nodiscard]] Kind GetKind() const { return kind_; }
    [[nodiscard]] const std::string& Name() const { return name_; }
    [[nodiscard]] int Id() const { return id_; }
    [[nodiscard]] Form* Owner() const { return owner_; }
    [[nodiscard]] Peer* GetPeer() const { return peer_.get(); }
    void AttachPeer(std::unique_ptr<Peer> peer);

  protected:
    // Forms own themselves; they are told so once their members exist.
    void AdoptOwner(Form* owner) { owner_ = owner; }
    void Notify(Prop prop) const;
    // The one way a setter changes a property: assigns the value and, when it differs
    // from the one held, tells the peer which property changed. True when it changed.
    template <typename T> bool SetProperty(T& field, const T& value, Prop prop) {
        if (field == value)
            return false;
        field = value;
        Notify(prop);
        return true;
    }
    // Runs an event handler the way the toolkit runs every event: an exception ends
    // the handler and shows the standard error box.
    void Fire(const Handler& handler) const;

  private:
    Form* owner_;
    Kind kind_;
    std::string name_;
    int id_;
    std::unique_ptr<Peer> peer_;
};

class Control : public Component {
  public:
    Control(Form& owner, Control* parent, Kind kind, std::string name, int id);

    [[nodiscard]] Control* Parent() const { return parent_; }

    [[nodiscard]] const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    [[nodiscard]] const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint);
    [[nodiscard]] bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    [[nodiscard]] bool Visible() const { return visible_; }
    void SetVisible(bool visible);

    [[nodiscard]] int Left() const { return bounds_.left; }
    [[nodiscard]] int Top() const { return bounds_.top; }
    [[nodiscard]] int Width() const { return bounds_.width; }
    [[nodiscard]] int Height() const { return bounds_.height; }
    void SetBounds(int left, int top, int width, int height);
    void SetLeft(int left) { SetBounds(left, Top(), Width(), Height()); }
    void SetTop(int top) { SetBounds(Left(), top, Width(), Height()); }
    // The native control moved or resized itself (a user dragging the window).
    void BoundsChangedByUser(int left, int top, int width, int height);

    [[nodiscard]] const tk::Font& GetFont() const { return font_; }
    void SetFont(const tk::Font& font);
    [[nodiscard]] Color GetColor() const { return color_; }
    void SetColor(Color color);
    [[nodiscard]] bool HandCursor() const { return handCursor_; }
    void SetHandCursor(bool hand);
    [[nodiscard]] tk::PopupMenu* GetPopupMenu() const { return popupMenu_; }
    void SetPopupMenu(tk::PopupMenu* menu);

  protected:
    // For forms, which have no owner or parent.
    Control(Kind kind, std::string name, int id);

  public:
    // Whether a user can reach the control: it and every parent enabled and visible.
    [[nodiscard]] bool Reachable() const;

    void Repaint() const;
    // Gives the control the keyboard focus; nothing when a user could not reach it.
    void SetFocus();

    Handler OnClick;
    Handler OnDblClick;

    // A user's click and double click; nothing happens on an unreachable control.
    virtual void Click();
    void DblClick();

  private:
    Control* parent_;
    std::string caption_;
    std::string hint_;
    bool enabled_ = true;
    bool visible_ = true;
    struct Rect {
        int left = 0, top = 0, width = 0, height = 0;
        bool operator==(const Rect&) const = default;
    };
    Rect bounds_;
    tk::Font font_;
    Color color_ = clDefault;
    bool handCursor_ = false;
    tk::PopupMenu* popupMenu_ = nullptr;
};

class Label : public Control {
  public:
    Label(Form& owner, Control* parent, std::string name, int id)
        : Control(owner, parent, Kind::Label, std::move(name), id) {}
};

class GroupBox : public Control {
  public:
    GroupBox(Form& owner, Control* parent, std::string name, int id)
        : Control(owner, parent, Kind::GroupBox, std::move(name), id) {}
};

class Panel : public Control {
  public:
    Panel(Form& owner, Control* parent, std::string name, int id)
        : Control(owner, parent, Kind::Panel, std::move(name), id) {}
};

// A raised line between tool-bar groups.
class Bevel : public Control {
  public:
    Bevel(Form& owner, Control* parent, std::string name, int id)
        : Control(owner, parent, Kind::Bevel, std::move(name), id) {}
};

// Push buttons: plain (Button), with a glyph (BitBtn), or flat tool buttons
// (SpeedButton) that never take the focus.
class ButtonBase : public Control {
  public:
    using Control::Control;
    [[nodiscard]] const Bitmap& Glyph() const { return glyph_; }
    void SetGlyph(const Bitmap& glyph);
    [[nodiscard]] bool Flat() const { return flat_; }
    void SetFlat(bool flat);

  private:
    Bitmap glyph_;
    bool flat_ = false;
};

class Button : public ButtonBase {
  public:
    Button(Form& owner, Control* parent, std::string name, int id)
        : ButtonBase(owner, parent, Kind::Button, std::move(name), id) {}
};

class BitBtn : public ButtonBase {
  public:
    BitBtn(Form& owner, Control* parent, std::string name, int id)
        : ButtonBase(owner, parent, Kind::BitBtn, std::move(name), id) {}
};

class SpeedButton : public ButtonBase {
  public:
    SpeedButton(Form& owner, Control* parent, std::string name, int id)
        : ButtonBase(owner, parent, Kind::SpeedButton, std::move(name), id) {}
};

// A box the user ticks. A click turns it over, then raises OnClick; set by program it
// raises nothing.
class CheckBox : public Control {
  public:
    CheckBox(Form& owner, Control* parent, std::string name, int id)
        : Control(owner, parent, Kind::CheckBox, std::move(name), id) {}
    [[nodiscard]] bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    void Click() override;

  private:
    bool checked_ = false;
};

// Lists of text items with one selected position (-1 = none).
class ItemList : public Control {
  public:
    using Control::Control;

    [[nodiscard]] const std::vector<std::string>& Items() const { return items_; }
    [[nodiscard]] int Count() const { return static_cast<int>(items_.size()); }
    // Raises EListError for a position outside the list.
    [[nodiscard]] const std::string& Item(int index) const;
    void Add(const std::string& item);
    void Clear();
    void Delete(int index);
    void SetItems(std::vector<std::string> items);
    // Replaces the text of one item, keeping the selection. Raises EListError for a
    // position outside the list.
    void SetItem(int index, const std::string& item);

    // -1 when nothing is selected. Setting a position past the end selects nothing.
    [[nodiscard]] int ItemIndex() const { return itemIndex_; }
    // Selection by program: raises no event.
    void SetItemIndex(int index);

  protected:
    void SelectionChangedByUser(int index);

  private:
    std::vector<std::string> items_;
    int itemIndex_ = -1;
};

class ListBox : public ItemList {
  public:
    ListBox(Form& owner, Control* parent, std::string name, int id)
        : ItemList(owner, parent, Kind::ListBox, std::move(name), id) {}
    // A user selecting an item with the mouse or the arrow keys: raises OnClick.
    void SelectItem(int index);
};

// A drop-down list with an edit field: the text is the field's, a chosen item or typed.
class ComboBox : public ItemList {
  public:
    ComboBox(Form& owner, Control* parent, std::string name, int id)
        : ItemList(owner, parent, Kind::ComboBox, std::move(name), id) {}
    [[nodiscard]] const std::string& Text() const { return text_; }
    // By program: raises nothing.
    void SetText(const std::string& text);
    Handler OnChange;
    // A user choosing an item: the field takes its text; raises OnChange.
    void SelectItem(int index);
    // A user typing into the field: raises OnChange.
    void TypeText(const std::string& text);

  private:
    std::string text_;
};

// A drop-down of drive letters with their icons and volume names.
struct DriveItem {
    char letter = 'C';
    std::string text; // "c: [label]" or "a:"
    int icon = -1;    // index in the system's small image list, -1 = none
    bool operator==(const DriveItem&) const = default;
};

class DriveComboBox : public Control {
  public:
    DriveComboBox(Form& owner, Control* parent, std::string name, int id)
        : Control(owner, parent, Kind::DriveComboBox, std::move(name), id) {}
    [[nodiscard]] const std::vector<DriveItem>& Drives() const { return drives_; }
    void SetDrives(const std::vector<DriveItem>& drives);
    // The selected drive letter; ' ' when the list is empty.
    [[nodiscard]] char Drive() const { return drive_; }
    void SetDrive(char letter);
    Handler OnChange;
    void SelectDrive(char letter);

  private:
    std::vector<DriveItem> drives_;
    char drive_ = ' ';
};

class Edit : public Control {
  public:
    Edit(Form& owner, Control* parent, std::string name, int id)
        : Edit(owner, parent, Kind::Edit, std::move(name), id) {}
    [[nodiscard]] const std::string& Text() const { return text_; }
    // Raises OnChange when the text changes, by program or by user.
    void SetText(const std::string& text);
    [[nodiscard]] int MaxLength() const { return maxLength_; }
    void SetMaxLength(int length) { maxLength_ = length; }
    [[nodiscard]] bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
    Handler OnChange;
    // Key press of a character; the handler may replace it with 0 to drop it.
    std::function<void(char&)> OnKeyPress;
    // Returns the character the control then takes: 0 when the handler dropped it.
    char KeyPress(char key);

  protected:
    Edit(Form& owner, Control* parent, Kind kind, std::string name, int id)
        : Control(owner, parent, kind, std::move(name), id) {}

  private:
    std::string text_;
    int maxLength_ = 0;
    bool readOnly_ = false;
};

// Multi-line text; lines joined by "\r\n" in Text().
class Memo : public Edit {
  public:
    Memo(Form& owner, Control* parent, std::string name, int id)
        : Edit(owner, parent, Kind::Memo, std::move(name), id) {}
    void SetLines(const std::vector<std::string>& lines);
};

class TrackBar : public Control {
  public:
    TrackBar(Form& owner, Control* parent, std::string name, int id)
        : Control(owner, parent, Kind::TrackBar, std::move(name), id) {}
    [[nodiscard]] int Min() const { return range_.min; }
    [[nodiscard]] int Max() const { return range_.max; }
    void SetRange(int min, int max);
    [[nodiscard]] int Position() const { return position_; }
    // Clamps to the range; raises OnChange when the position changes.
    void SetPosition(int position);
    Handler OnChange;

  private:
    struct Range {
        int min = 0, max = 10;
        bool operator==(const Range&) const = default;
    };
    Range range_;
    int position_ = 0;
};

// A pair of arrow buttons.
class UpDown : public Control {
  public:
    UpDown(Form& owner, Control* parent, std::string name, int id)
        : Control(owner, parent, Kind::UpDown, std::move(name), id) {}
    Handler OnUpClick;
    Handler OnDownClick;
    void UpClick();
    void DownClick();
};

class TabSheet;

enum class TabStyle { Tabs, Buttons, FlatButtons };
enum class TabPosition { Top, Left };

class PageControl : public Control {
  public:
    PageControl(Form& owner, Control* parent, std::string name, int id)
        : Control(owner, parent, Kind::PageControl, std::move(name), id) {}
    [[nodiscard]] const std::vector<TabSheet*>& Pages() const { return pages_; }
    [[nodiscard]] int PageCount() const { return static_cast<int>(pages_.size()); }
    [[nodiscard]] int ActivePageIndex() const { return active_; }
    // By program: raises nothing; an index outside the pages leaves the page shown.
    void SetActivePageIndex(int index);
    // A user clicking a tab: raises OnChange when the page changes.
    void SelectTab(int index);
    Handler OnChange;

    TabStyle Style = TabStyle::Tabs;
    TabPosition TabsAt = TabPosition::Top;
    bool MultiLine = false;
    bool HotTrack = false;

  private:
    friend class TabSheet;
    void ShowPage(int index);
    std::vector<TabSheet*> pages_;
    int active_ = -1;
};

class TabSheet : public Control {
  public:
    TabSheet(Form& owner, PageControl& pages, std::string name, int id);
    [[nodiscard]] int PageIndex() const { return index_; }

  private:
    int index_;
};

class StatusBar : public Control {
  public:
    StatusBar(Form& owner, Control* parent, std::string name, int id)
        : Control(owner, parent, Kind::StatusBar, std::move(name), id) {}
    // The status line: the whole bar, or its first part while a second part is shown. Its
    // text is the Caption, and part 0 of the native bar holds it either way.
    [[nodiscard]] const std::string& SimpleText() const { return Caption(); }
    void SetSimpleText(const std::string& text) { SetCaption(text); }

    // A second part at the right end of the bar, for a short text of the program's own (a
    // refused action, the progress of work in the background). While its text is not empty
    // the bar shows two parts: the status line, cut at the second part's left edge, and the
    // second part, SecondPartWidth pixels wide at 96 DPI (scaled with the window) or as wide
    // as its text needs, up to two thirds of the bar. With an empty text it is one simple
    // panel again. The text stays until the program changes it: a passing note is cleared by
    // a timer of the program's (see ShowStatusNote).
    static constexpr int SecondPartWidth = 220;
    [[nodiscard]] const std::string& SecondPartText() const { return secondPart_; }
    void SetSecondPartText(const std::string& text) {
        SetProperty(secondPart_, text, Prop::PartText);
    }
    [[nodiscard]] bool ShowsSecondPart() const { return !secondPart_.empty(); }
    // A control of the bar's own shown at the right end of the second part (a progress bar):
    // while it is visible the part is wider by the control's width, so the text stays clear.
    void KeepRoomFor(const Control& control) { roomFor_ = &control; }
    [[nodiscard]] const Control* RoomFor() const { return roomFor_; }

  private:
    std::string secondPart_;
    const Control* roomFor_ = nullptr;
};

// How far work has come: Position of Max, drawn as a filled bar.
class ProgressBar : public Control {
  public:
    ProgressBar(Form& owner, Control* parent, std::string name, int id)
        : Control(owner, parent, Kind::ProgressBar, std::move(name), id) {}
    [[nodiscard]] int Max() const { return max_; }
    [[nodiscard]] int Position() const { return position_; }
    // Both at once, the position kept within 0..max.
    void SetProgress(int position, int max);

  private:
    int max_ = 100;
    int position_ = 0;
};

// What a form's taskbar button shows of work in progress.
struct TaskbarProgress {
    enum class State { None, Indeterminate, Normal };
    State state = State::None;
    std::int64_t done = 0, total = 0;
    bool operator==(const TaskbarProgress&) const = default;
};

struct DateTime {
    int year = 2000, month = 1, day = 1, hour = 0, minute = 0, second = 0;
    bool operator==(const DateTime&) const = default;
};

enum class PickerKind { Date, Time };

class DateTimePicker : public Control {
  public:
    DateTimePicker(Form& owner, Control* parent, std::string name, int id)
        : Control(owner, parent, Kind::DateTimePicker, std::move(name), id) {}
    PickerKind PickKind = PickerKind::Date;
    [[nodiscard]] const DateTime& Value() const { return value_; }
    void SetValue(const DateTime& value);
    Handler OnChange;
    void ChangeByUser(const DateTime& value);

  private:
    DateTime value_;
};

class Image : public Control {
  public:
    Image(Form& owner, Control* parent, std::string name, int id)
        : Control(owner, parent, Kind::Image, std::move(name), id) {}
    [[nodiscard]] const Bitmap& Picture() const { return picture_; }
    void SetPicture(const Bitmap& picture);

  private:
    Bitmap picture_;
};

// A message-based timer of its form. Interval 0 or disabled: it does not fire.
class Timer : public Component {
  public:
    Timer(Form& owner, std::string name, int id);
    [[nodiscard]] int Interval() const { return interval_; }
    // Setting the interval it already has does not restart it.
    void SetInterval(int milliseconds);
    [[nodiscard]] bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    [[nodiscard]] bool Running() const { return enabled_ && interval_ > 0; }
    Handler OnTimer;
    // One period elapsed.
    void Tick();

  private:
    int interval_ = 1000;
    bool enabled_ = true;
};

class MenuItem : public Component {
  public:
    MenuItem(Form& owner, Component& parent, std::string name, int id, std::string caption,
             int shortCut = 0);
    [[nodiscard]] Component& Parent() const { return parent_; }
    [[nodiscard]] const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    [[nodiscard]] bool IsSeparator() const { return caption_ == "-"; }
    // Key code + 0x2000 Shift + 0x4000 Ctrl + 0x8000 Alt; 0 = none.
    [[nodiscard]] int ShortCut() const { return shortCut_; }
    [[nodiscard]] bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    [[nodiscard]] bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    [[nodiscard]] const std::vector<MenuItem*>& Items() const { return items_; }
    Handler OnClick;
    // A user choosing the item (or its shortcut); nothing when disabled.
    void Click();

  private:
    Component& parent_;
    std::string caption_;
    int shortCut_;
    bool checked_ = false;
    bool enabled_ = true;
    std::vector<MenuItem*> items_;
};

class MainMenu : public Component {
  public:
    MainMenu(Form& owner, std::string name, int id)
        : Component(&owner, Kind::MainMenu, std::move(name), id) {}
    [[nodiscard]] const std::vector<MenuItem*>& Items() const { return items_; }
    // The enabled item whose shortcut this is, or nullptr.
    [[nodiscard]] MenuItem* FindShortCut(int shortCut) const;

  private:
    friend class MenuItem;
    std::vector<MenuItem*> items_;
};

class PopupMenu : public Component {
  public:
    PopupMenu(Form& owner, std::string name, int id)
        : Component(&owner, Kind::PopupMenu, std::move(name), id) {}
    [[nodiscard]] const std::vector<MenuItem*>& Items() const { return items_; }
    // Opens the menu at a screen position (left-aligned there).
    void Popup(int x, int y);
    [[nodiscard]] int PopupCount() const { return popups_; }

  private:
    friend class MenuItem;
    std::vector<MenuItem*> items_;
    int popups_ = 0;
};

enum class WindowState { Normal, Minimized };

class Form : public Control {
  public:
    Form(Application& app, std::string name, int id);
    ~Form() override;

    [[nodiscard]] Application& App() const { return app_; }
    // Every component of the form in creation order (parents before children).
    [[nodiscard]] const std::vector<Component*>& Components() const { return components_; }
    [[nodiscard]] Component* FindById(int id) const;

    void SetClientSize(int width, int height);
    [[nodiscard]] int ClientWidth() const { return clientSize_.width; }
    [[nodiscard]] int ClientHeight() const { return clientSize_.height; }
    [[nodiscard]] tk::WindowState GetWindowState() const { return state_; }
    void SetWindowState(tk::WindowState state);
    [[nodiscard]] bool Topmost() const { return topmost_; }
    void SetTopmost(bool topmost);
    void BringToFront() const;
    [[nodiscard]] const tk::TaskbarProgress& TaskbarProgress() const { return taskbar_; }
    void SetTaskbarProgress(const tk::TaskbarProgress& progress);
    // Whether a user can see the form: visible and not minimised.
    [[nodiscard]] bool OnScreen() const { return Visible() && state_ != WindowState::Minimized; }

    bool KeyPreview = false;
    bool Dialog = false;        // fixed dialog border, system menu only
    bool SystemMenu = true;     // the title bar's system menu and buttons
    bool CenterOnScreen = true; // initial placement
    MainMenu* Menu = nullptr;

    Handler OnCreate;
    Handler OnActivate;
    Handler OnClose;
    // OnScreen changed, by program or by user. Work that only feeds what the form shows
    // rests while it is away and catches up here when it is back.
    Handler OnScreenChanged;
    std::function<void(char&)> OnKeyPress;

    // A user's key press (with key preview, whatever control has the focus). Returns the
    // character the focused control then takes: 0 when the handler dropped it.
    char KeyPress(char key);
    // A user pressing a shortcut key combination; runs the menu item it belongs to.
    bool ShortCut(int shortCut);
    // Closes the form: runs OnClose, then ends the modal loop or the program.
    void Close();
    // The form became the program's active form.
    void Activate();

    // Paints a picture straight on the client area, its top-left corner at x, y (form
    // pixels, scaled like the controls). Nothing keeps it: the form's next painting and its
    // visible controls cover it.
    void DrawPicture(const port::RgbPixels& picture, int x, int y) const;

    [[nodiscard]] bool Modal() const { return modal_; }
    // The control the program last gave the keyboard focus; nullptr before any.
    [[nodiscard]] Control* ActiveControl() const { return activeControl_; }

  private:
    friend class Component;
    friend class Control;
    friend class Application;
    void NoteScreenChange();
    bool onScreen_ = true;
    Application& app_;
    std::vector<Component*> components_;
    struct Size {
        int width = 0, height = 0;
        bool operator==(const Size&) const = default;
    };
    Size clientSize_;
    tk::WindowState state_ = tk::WindowState::Normal;
    bool topmost_ = false;
    bool modal_ = false;
    Control* activeControl_ = nullptr;
    tk::TaskbarProgress taskbar_;
};

} // namespace tk
