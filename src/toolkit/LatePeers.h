#pragma once

// Peers made after the main window shows. At start-up only what the window shows first gets
// its native peer: the main form and its components that are not on a hidden page. The rest
// (the other pages, the dialogs) wait here and are made a few at a time when the window's
// thread has nothing else to do, all at once before a background result is shown, and at
// once where they are needed sooner: a page being shown, a dialog being opened. A peer reads
// every property of its component when it is made, so a late one shows what an early one
// would have.

#include <cstddef>
#include <functional>
#include <vector>

namespace tk {

class Component;
class Form;
class Host;

class LatePeers {
  public:
    void SetHost(Host* host) { host_ = host; }
    // Called, with the error current, when a peer cannot be made (a dialog's window the
    // system refuses); every peer still waiting is dropped first. Without one the error
    // goes to the caller.
    void SetFailureHandler(std::function<void()> handler) { onFailure_ = std::move(handler); }

    // Whether `component` lies on a page of a page control (the sheets themselves do not),
    // and whether on one that is not shown. What lies on a page is made as the window first
    // shows, once the form's creation handler chose the page.
    [[nodiscard]] static bool OnAPage(const Component& component);
    [[nodiscard]] static bool OnHiddenPage(const Component& component);

    void Add(Component& component, const Form& form) { pending_.push_back({&component, &form}); }
    // Up to `count` of them, oldest first; false when none waited.
    bool MakeSome(std::size_t count);
    void MakeAll();
    // Those of `form` that show now, all but those of hidden pages, once the form's own
    // window is made (a dialog is made whole as it opens).
    void MakeShown(const Form& form);
    // Every one of `form`, itself included.
    void MakeForm(const Form& form);
    // The form is being destroyed, or the program ends: theirs are never made.
    void Forget(const Form& form);
    void Clear() { pending_.clear(); }
    [[nodiscard]] std::size_t Waiting() const { return pending_.size(); }

  private:
    // The form is kept apart: a component of a form being destroyed is gone already.
    struct Pending {
        Component* component;
        const Form* form;
    };
    template <typename Wanted> void MakeWhere(Wanted wanted);
    void Make(const std::vector<Pending>& made);

    Host* host_ = nullptr;
    std::function<void()> onFailure_;
    // In creation order, so a parent is made before its children and each window takes its
    // place in the tab order as if made at start.
    std::vector<Pending> pending_;
};

} // namespace tk
