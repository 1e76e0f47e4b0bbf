#include "fakes/TestProgram.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

bool Focusable(tk::Kind kind) {
    switch (kind) {
    case tk::Kind::ListBox:
    case tk::Kind::ComboBox:
    case tk::Kind::DriveComboBox:
    case tk::Kind::Edit:
    case tk::Kind::Memo:
        return true;
    default:
        return false;
    }
}

// The control made just before `control` in the same parent: the window before it.
const tk::Control* PreviousSibling(const tk::Form& form, const tk::Control& control) {
    const tk::Control* previous = nullptr;
    for (const tk::Component* component : form.Components()) {
        if (component == &control)
            return previous;
        const auto* other = dynamic_cast<const tk::Control*>(component);
        if (other != nullptr && other->Parent() == control.Parent())
            previous = other;
    }
    return nullptr;
}

std::vector<std::string> Unnamed(const tk::Form& form) {
    std::vector<std::string> unnamed;
    for (const tk::Component* component : form.Components()) {
        const auto* control = dynamic_cast<const tk::Control*>(component);
        if (control == nullptr)
            continue;
        if (Focusable(control->GetKind())) {
            const tk::Control* label = PreviousSibling(form, *control);
            if (label == nullptr || label->GetKind() != tk::Kind::Label || label->Caption().empty())
                unnamed.push_back(form.Name() + "." + control->Name() + " after " +
                                  (label ? label->Name() : "nothing"));
        }
        // A button with only a picture is named by its hint.
        const bool button =
            control->GetKind() == tk::Kind::BitBtn || control->GetKind() == tk::Kind::SpeedButton;
        if (button && control->Visible() && control->Caption().empty() && control->Hint().empty())
            unnamed.push_back(form.Name() + "." + control->Name() + " has no hint");
    }
    return unnamed;
}

// Every list, combo box and edit has its label just before it, and every picture-only button a
// hint, in every form.
TEST(AccessibleNames, EveryFieldFollowsItsLabelAndEveryPictureButtonHasAHint) {
    fakes::TestProgram t;
    trelvix::Program& p = t.Start();
    // The Options dialog captions its switch when it is shown.
    p.App.ModalScript = [](tk::Form& form) { form.Close(); };
    p.App.ShowModal(*p.Options);
    for (const tk::Form* form :
         {static_cast<tk::Form*>(p.MainForm.get()), static_cast<tk::Form*>(p.About.get()),
          static_cast<tk::Form*>(p.Options.get()), static_cast<tk::Form*>(p.SetVolumeName.get())})
        EXPECT_EQ(Unnamed(*form), std::vector<std::string>{});
}

} // namespace
