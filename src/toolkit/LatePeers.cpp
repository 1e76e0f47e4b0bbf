#include "toolkit/LatePeers.h"

#include "toolkit/Controls.h"
#include "toolkit/Peer.h"

namespace tk {

namespace {

// The tab sheets above `component`, innermost first; not itself, so that the sheets are
// made at once and the page control knows all its tabs.
std::vector<const TabSheet*> SheetsAbove(const Component& component) {
    std::vector<const TabSheet*> sheets;
    const auto* control = dynamic_cast<const Control*>(&component);
    for (const Control* c = control != nullptr ? control->Parent() : nullptr; c != nullptr;
         c = c->Parent())
        if (c->GetKind() == Kind::TabSheet)
            sheets.push_back(static_cast<const TabSheet*>(c));
    return sheets;
}

} // namespace

bool LatePeers::OnAPage(const Component& component) {
    return !SheetsAbove(component).empty();
}

bool LatePeers::OnHiddenPage(const Component& component) {
    for (const TabSheet* sheet : SheetsAbove(component))
        if (static_cast<const PageControl*>(sheet->Parent())->ActivePageIndex() !=
            sheet->PageIndex())
            return true;
    return false;
}

// Taken off the list before any is made: making a peer may run code that asks for more.
void LatePeers::Make(const std::vector<Pending>& made) {
    if (host_ == nullptr)
        return;
    try {
        for (const Pending& p : made)
            if (p.component->GetPeer() == nullptr)
                p.component->AttachPeer(host_->CreatePeer(*p.component));
    } catch (...) {
        pending_.clear();
        if (!onFailure_)
            throw;
        onFailure_();
    }
}

template <typename Wanted> void LatePeers::MakeWhere(Wanted wanted) {
    std::vector<Pending> made;
    std::erase_if(pending_, [&](const Pending& p) {
        if (!wanted(p))
            return false;
        made.push_back(p);
        return true;
    });
    Make(made);
}

bool LatePeers::MakeSome(std::size_t count) {
    if (pending_.empty())
        return false;
    MakeWhere([&count](const Pending&) {
        if (count == 0)
            return false;
        --count;
        return true;
    });
    return true;
}

void LatePeers::MakeAll() {
    MakeWhere([](const Pending&) { return true; });
}

void LatePeers::MakeShown(const Form& form) {
    if (form.GetPeer() == nullptr)
        return;
    MakeWhere([&](const Pending& p) { return p.form == &form && !OnHiddenPage(*p.component); });
}

void LatePeers::MakeForm(const Form& form) {
    MakeWhere([&](const Pending& p) { return p.form == &form; });
}

void LatePeers::Forget(const Form& form) {
    std::erase_if(pending_, [&](const Pending& p) { return p.form == &form; });
}

} // namespace tk
