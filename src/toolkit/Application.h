#pragma once

#include "platform/Background.h"
#include "platform/Desktop.h"
#include "toolkit/Controls.h"
#include "toolkit/Palette.h"
#include "toolkit/LatePeers.h"
#include "toolkit/ResultQueue.h"

#include <coroutine>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tk {

// The program-wide application object: main form, modal dialogs, the standard
// error box and the minimise/restore events of the program as a whole.
class Application {
  public:
    Application(port::Desktop& desktop, std::string title);

    // The executable's base name; caption of the standard error box.
    [[nodiscard]] const std::string& Title() const { return title_; }

    // Peers of what the main window does not show at first are made later (LatePeers).
    void SetHost(Host* host);
    [[nodiscard]] Host* GetHost() const { return host_; }

    // Gives the form and its components their peers, then runs the form's OnCreate. The
    // first form created becomes the main form; only it and what it shows are made at once,
    // the rest when the window's thread is idle, or sooner where needed (LatePeers).
    void CreateForm(Form& form);
    // A page control of `form` shows another page: its controls are made now if they were
    // not yet.
    void PageShowing(const Form& form) { late_->MakeShown(form); }
    // Makes every peer still waiting (a test that looks at them all).
    void MakeLatePeers() { late_->MakeAll(); }
    [[nodiscard]] std::size_t LatePeersWaiting() const { return late_->Waiting(); }
    [[nodiscard]] Form* MainForm() const { return mainForm_; }
    // A form is being destroyed: it is no longer told of anything.
    void FormGone(const Form& form);

    // The colours every form draws with. A new palette reaches every control of every form
    // at once: the look switches while the program runs.
    [[nodiscard]] const Palette& GetPalette() const { return palette_; }
    void SetPalette(const Palette& palette);

    // Shows the main form and activates it (its first showing).
    void ShowMainForm();

    // Shows a form modally. Without a host, the modal script stands in for the user.
    void ShowModal(Form& form);
    std::function<void(Form&)> ModalScript;

    // Minimises the program (the minimise box, Escape) and raises OnMinimize.
    void Minimize();
    // Shows and restores the program and raises OnRestore before it is activated.
    void Restore();
    [[nodiscard]] bool Minimized() const;
    Handler OnMinimize;
    Handler OnRestore;

    void Terminate();
    [[nodiscard]] bool Terminated() const { return terminated_; }

    int MessageBox(const std::string& text, const std::string& caption, unsigned flags);
    // A plain notice: caption = title, no icon, one OK button.
    void ShowNotice(const std::string& text);

    // The standard error box: caption = title, error icon, OK, the message with a
    // full stop added. One box is open at a time: an error raised while one is open (a
    // timer tick under it) is shown after it closes, each text once.
    void ShowException(const std::exception& error);
    // For a catch (...) block at a handler or window procedure boundary: the error being
    // handled in the standard error box, "Unexpected error." when it is no std::exception.
    // Never throws: nothing may escape into the system's code.
    void ShowCurrentException() noexcept;
    [[nodiscard]] int ErrorBoxesShown() const { return errorBoxes_; }

    // Runs a handler; whatever it throws ends it and shows the standard error box.
    void Guard(const Handler& handler);

    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;
    ~Application();

    // Where jobs run off the window's thread; none: each runs at once, in the caller.
    void SetBackground(port::Background* background);
    // Runs `job` off the window's thread, then `done` with its result on the window's
    // thread, through the result queue. What the job throws is shown in the standard error
    // box instead of `done`; `settled` runs after either. `kind` orders it among the jobs
    // waiting for a worker.
    template <class Result>
    void RunInBackground(std::function<Result()> job, std::function<void(Result)> done,
                         Handler settled = nullptr, port::JobKind kind = port::JobKind::Work);

    // Delivers a batch of waiting results; the window's timer calls it each second, so a
    // result whose wake was lost still arrives.
    // What waits to be made is made first: a result is never shown before every page exists.
    void DeliverResults() {
        late_->MakeAll();
        results_->Deliver();
    }
    // The program is ending: results of jobs still out are dropped and none is delivered
    // any more, also not from the message loop of a box opened while the program is taken
    // apart.
    // Suspended tasks (toolkit/Task.h) are destroyed first, while the program is whole.
    void End();
    [[nodiscard]] bool Ending() const { return ending_; }

    // A task's step (toolkit/Task.h): runs `work` off the window's thread and resumes `task`
    // on it through the result queue. False when the step ran and its result came back
    // before this returned: the task goes on at once instead of suspending.
    [[nodiscard]] bool Suspend(std::function<void()> work, std::coroutine_handle<> task);
    [[nodiscard]] std::size_t SuspendedTasks() const { return suspended_.size(); }
    // A task waiting on the window's thread (for another task, or for steps it gathers) is
    // held like one waiting for a step: the program's end destroys it. Release resumes it at
    // once, unless the program is ending or it is not held.
    void Hold(std::coroutine_handle<> task) { suspended_.push_back(task); }
    void Release(std::coroutine_handle<> task) { Resume(task); }

  private:
    void ShowErrorText(const std::string& text);
    void LateWindowFailed();
    void Resume(std::coroutine_handle<> task);

    // A step being handed to the executor, innermost first: a result delivered while the
    // executor still has the call is marked here, not resumed inside the suspension.
    struct Starting {
        std::coroutine_handle<> task;
        bool resumed;
        Starting* outer;
    };

    port::Desktop& desktop_;
    std::string title_;
    Host* host_ = nullptr;
    port::Background* background_ = nullptr;
    Form* mainForm_ = nullptr;
    std::vector<Form*> forms_;
    Palette palette_;
    bool terminated_ = false;
    bool ending_ = false;
    // Shared with the jobs out and the executor's wake handler, which may outlive this object.
    std::shared_ptr<ResultQueue> results_ = std::make_shared<ResultQueue>();
    // Shared with the host's idle work and the executor's wake handler; emptied at the end.
    std::shared_ptr<LatePeers> late_ = std::make_shared<LatePeers>();
    bool errorBoxOpen_ = false;
    // Texts of errors raised under the open box, shown in turn after it.
    std::deque<std::string> pendingErrors_;
    int errorBoxes_ = 0;
    std::vector<std::coroutine_handle<>> suspended_;
    Starting* starting_ = nullptr;
};

template <class Result>
void Application::RunInBackground(std::function<Result()> job, std::function<void(Result)> done,
                                  Handler settled, port::JobKind kind) {
    struct Outcome {
        std::optional<Result> result;
        std::exception_ptr error;
    };
    auto outcome = std::make_shared<Outcome>();
    auto work = [outcome, job = std::move(job)] {
        try {
            outcome->result.emplace(job());
        } catch (...) {
            outcome->error = std::current_exception();
        }
    };
    auto apply = [this, outcome, done = std::move(done), settled = std::move(settled)] {
        Guard([&] {
            if (outcome->error)
                std::rethrow_exception(outcome->error);
            done(std::move(*outcome->result));
        });
        if (settled)
            Guard(settled);
    };
    if (background_ == nullptr) {
        work();
        apply();
    } else {
        background_->Run(
            std::move(work),
            [results = results_, apply = std::move(apply)]() mutable {
                results->HandOver(std::move(apply));
            },
            kind);
    }
}

// The message of an error as the error box shows it: a full stop added when it
// does not end in one.
std::string ErrorBoxText(const std::string& message);

} // namespace tk
