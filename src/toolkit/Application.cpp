#include "toolkit/Application.h"

#include "toolkit/Errors.h"

#include <algorithm>

namespace tk {

std::string ErrorBoxText(const std::string& message) {
    if (!message.empty() && message.back() == '.')
        return message;
    return message + ".";
}

Application::Application(port::Desktop& desktop, std::string title)
    : desktop_(desktop), title_(std::move(title)) {
    late_->SetFailureHandler([this] { LateWindowFailed(); });
}

Application::~Application() {
    End();
}

// How many late peers one idle moment makes: a few windows, so input waits no longer than
// a few milliseconds.
constexpr std::size_t LatePeersPerIdle = 8;

void Application::SetHost(Host* host) {
    host_ = host;
    late_->SetHost(host);
    if (host != nullptr)
        host->SetIdleWork([late = late_] { return late->MakeSome(LatePeersPerIdle); });
}

void Application::SetBackground(port::Background* background) {
    background_ = background;
    results_->SetBackground(background);
    // The handler holds the queue, not this object: a wake that comes after the end finds a
    // closed queue and does nothing (and no late peer: they are forgotten at the end).
    if (background != nullptr)
        background->SetWakeHandler([results = results_, late = late_] {
            late->MakeAll();
            results->Deliver();
        });
}

void Application::End() {
    ending_ = true;
    late_->Clear();
    late_->SetFailureHandler({});
    results_->Close();
    // Newest first, each taken off the list before it goes: a scope object ending in one
    // frame may not reach another.
    while (!suspended_.empty()) {
        const std::coroutine_handle<> task = suspended_.back();
        suspended_.pop_back();
        task.destroy();
    }
}

bool Application::Suspend(std::function<void()> work, std::coroutine_handle<> task) {
    if (background_ == nullptr) {
        work();
        return false;
    }
    suspended_.push_back(task);
    Starting starting{task, false, starting_};
    starting_ = &starting;
    struct Restore {
        Application& app;
        Starting& starting;
        ~Restore() { app.starting_ = starting.outer; }
    } restore{*this, starting};
    try {
        background_->Run(
            std::move(work),
            [this, results = results_, task] { results->HandOver([this, task] { Resume(task); }); },
            port::JobKind::Work);
    } catch (...) {
        // The step never started: the task goes on with the error at its `co_await`.
        std::erase(suspended_, task);
        throw;
    }
    return !starting.resumed;
}

void Application::Resume(std::coroutine_handle<> task) {
    const auto found = std::find(suspended_.begin(), suspended_.end(), task);
    if (ending_ || found == suspended_.end())
        return;
    suspended_.erase(found);
    for (Starting* s = starting_; s != nullptr; s = s->outer)
        if (s->task == task) {
            s->resumed = true;
            return;
        }
    task.resume();
}

void Application::CreateForm(Form& form) {
    if (mainForm_ == nullptr)
        mainForm_ = &form;
    forms_.push_back(&form);
    if (host_ != nullptr) {
        // The form is not one of its own components; its window comes before theirs.
        const bool main = mainForm_ == &form;
        if (main)
            form.AttachPeer(host_->CreatePeer(form));
        else
            late_->Add(form, form);
        for (Component* c : form.Components()) {
            if (main && !LatePeers::OnAPage(*c))
                c->AttachPeer(host_->CreatePeer(*c));
            else
                late_->Add(*c, form);
        }
    }
    Guard(form.OnCreate);
}

void Application::FormGone(const Form& form) {
    late_->Forget(form);
    std::erase(forms_, &form);
    if (mainForm_ == &form)
        mainForm_ = nullptr;
}

void Application::SetPalette(const Palette& palette) {
    if (palette == palette_)
        return;
    palette_ = palette;
    for (Form* form : forms_) {
        if (Peer* peer = form->GetPeer())
            peer->Changed(Prop::Look);
        for (Component* component : form->Components())
            if (Peer* peer = component->GetPeer())
                peer->Changed(Prop::Look);
    }
}

void Application::ShowMainForm() {
    if (mainForm_ == nullptr)
        return;
    late_->MakeShown(*mainForm_);
    // Activated before it is shown, so that a window stored as hidden in the tray
    // never flashes on the screen.
    mainForm_->Activate();
    if (mainForm_->GetWindowState() == WindowState::Normal)
        mainForm_->SetVisible(true);
}

void Application::ShowModal(Form& form) {
    late_->MakeForm(form);
    if (host_ != nullptr && form.GetPeer() == nullptr)
        return; // its window could not be made: the program is ending
    form.modal_ = true;
    form.SetVisible(true);
    form.Activate();
    if (host_ != nullptr)
        host_->RunModal(form);
    else if (ModalScript)
        Guard([&] { ModalScript(form); });
    if (form.modal_) // the dialog was not closed by its own handlers
        form.Close();
    // Returning from one of the program's own dialogs activates the main window.
    if (mainForm_ != nullptr && mainForm_ != &form)
        mainForm_->Activate();
}

bool Application::Minimized() const {
    return mainForm_ != nullptr && mainForm_->GetWindowState() == WindowState::Minimized;
}

void Application::Minimize() {
    if (mainForm_ != nullptr)
        mainForm_->SetWindowState(WindowState::Minimized);
    Guard(OnMinimize);
}

void Application::Restore() {
    if (mainForm_ != nullptr) {
        mainForm_->SetVisible(true);
        mainForm_->SetWindowState(WindowState::Normal);
    }
    Guard(OnRestore);
}

// As when the window cannot be made at start: the box says why and the program ends, since it
// cannot work without one of its dialogs.
void Application::LateWindowFailed() {
    ShowCurrentException();
    if (host_ != nullptr)
        host_->Quit(1);
}

void Application::Terminate() {
    terminated_ = true;
    if (host_ != nullptr)
        host_->Quit(0);
}

int Application::MessageBox(const std::string& text, const std::string& caption, unsigned flags) {
    return desktop_.ShowMessageBox(text, caption, flags);
}

void Application::ShowNotice(const std::string& text) {
    (void)MessageBox(text, title_, port::mb::Ok);
}

void Application::ShowException(const std::exception& error) {
    ShowErrorText(ErrorBoxText(error.what()));
}

void Application::ShowCurrentException() noexcept {
    try {
        try {
            throw;
        } catch (const std::exception& error) {
            ShowException(error);
        } catch (...) {
            ShowErrorText("Unexpected error.");
        }
    } catch (...) {
        // Even the box failed (no memory left): there is no one left to tell.
    }
}

void Application::ShowErrorText(const std::string& text) {
    const auto queued = std::find(pendingErrors_.begin(), pendingErrors_.end(), text);
    if (queued == pendingErrors_.end())
        pendingErrors_.push_back(text);
    // The box open now takes the queue in turn once it closes.
    if (errorBoxOpen_)
        return;
    errorBoxOpen_ = true;
    struct Closed {
        Application& app;
        ~Closed() {
            app.errorBoxOpen_ = false;
            app.pendingErrors_.clear();
        }
    } closed{*this};
    while (!pendingErrors_.empty()) {
        ++errorBoxes_;
        // Kept in the queue while it is shown, so the same text raised under it is not
        // queued again.
        const std::string text = pendingErrors_.front();
        desktop_.ShowMessageBox(text, title_, port::mb::Ok | port::mb::IconError);
        pendingErrors_.pop_front();
    }
}

void Application::Guard(const Handler& handler) {
    if (!handler)
        return;
    try {
        handler();
    } catch (...) {
        ShowCurrentException();
    }
}

} // namespace tk
