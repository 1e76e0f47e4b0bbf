#include "app/WorkProgress.h"

#include "app/Program.h"

#include <algorithm>
#include <limits>

namespace trelvix {

namespace {

WorkProgressPtr MakeProgress(WorkProgress::Kind kind, std::string place, std::int64_t expected,
                             bool counted) {
    auto work = std::make_shared<WorkProgress>();
    work->kind = kind;
    work->place = std::move(place);
    work->expected = expected;
    work->counted = counted;
    return work;
}

// The deletion if one runs (only one ever does), else the oldest walk.
const WorkProgress* Foremost(const std::vector<WorkProgressPtr>& work) {
    for (const WorkProgressPtr& w : work)
        if (w->kind == WorkProgress::Kind::Deleting)
            return w.get();
    return work.empty() ? nullptr : work.front().get();
}

int ClampToInt(std::int64_t n) {
    return static_cast<int>(std::clamp<std::int64_t>(n, 0, std::numeric_limits<int>::max()));
}

void HideWorkProgress(Program& p) {
    TMainForm& f = *p.MainForm;
    f.ProgressTimer.SetEnabled(false);
    if (!p.ProgressShown)
        return;
    p.ProgressShown = false;
    f.ProgressBar1.SetVisible(false);
    f.StatusBar1.SetSecondPartText("");
    f.SetTaskbarProgress({});
}

} // namespace

WorkProgressPtr CountingProgress(std::string place, bool counted) {
    return MakeProgress(WorkProgress::Kind::Counting, std::move(place), 0, counted);
}

WorkProgressPtr DeletingProgress(std::string place, std::int64_t expected, bool counted) {
    return MakeProgress(WorkProgress::Kind::Deleting, std::move(place), expected, counted);
}

std::string ProgressText(const WorkProgress& work) {
    const bool deleting = work.kind == WorkProgress::Kind::Deleting;
    std::string text = (deleting ? "Deleting " : "Counting ") + work.place;
    if (!work.counted)
        return text;
    text += ": " + std::to_string(work.files.load());
    if (deleting)
        text += " of " + std::to_string(work.expected);
    return text + " files";
}

void WorkStarted(Program& p, WorkProgressPtr work) {
    if (p.Work.empty())
        p.MainForm->ProgressTimer.SetEnabled(true);
    p.Work.push_back(std::move(work));
}

void WorkEnded(Program& p, const WorkProgressPtr& work) {
    std::erase(p.Work, work);
    if (p.Work.empty())
        HideWorkProgress(p);
}

void ShowWorkProgress(Program& p) {
    const WorkProgress* work = Foremost(p.Work);
    if (work == nullptr) {
        HideWorkProgress(p);
        return;
    }
    TMainForm& f = *p.MainForm;
    p.ProgressShown = true;
    const bool bar = work->kind == WorkProgress::Kind::Deleting && work->counted;
    const std::int64_t files = work->files.load();
    if (bar)
        f.ProgressBar1.SetProgress(ClampToInt(files), ClampToInt(work->expected));
    // The bar first: the second part makes room for it when it is visible.
    f.ProgressBar1.SetVisible(bar);
    f.StatusBar1.SetSecondPartText(ProgressText(*work));
    using State = tk::TaskbarProgress::State;
    f.SetTaskbarProgress(bar ? tk::TaskbarProgress{State::Normal, files, work->expected}
                             : tk::TaskbarProgress{State::Indeterminate, 0, 0});
}

} // namespace trelvix
