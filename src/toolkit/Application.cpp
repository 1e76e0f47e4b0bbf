#include "toolkit/Application.h"

#include "toolkit/Errors.h"

namespace tk {

std::string ErrorBoxText(const std::string& message) {
    if (!message.empty() && message.back() == '.')
        return message;
    return message + ".";
}

Application::Application(port::Desktop& desktop, std::string title)
    : desktop_(desktop), title_(std::move(title)) {}

void Application::CreateForm(Form& form) {
    if (mainForm_ == nullptr)
        mainForm_ = &form;
    if (host_ != nullptr) {
        // The form is not one of its own components; its window comes before theirs.
        form.AttachPeer(host_->CreatePeer(form));
        for (Component* c : form.Components())
            c->AttachPeer(host_->CreatePeer(*c));
    }
    Guard(form.OnCreate);
}

void Application::ShowMainForm() {
    if (mainForm_ == nullptr)
        return;
    // Activated before it is shown, so that a window stored as hidden in the tray
    // never flashes on the screen.
    mainForm_->Activate();
    if (mainForm_->GetWindowState() == WindowState::Normal)
        mainForm_->SetVisible(true);
}

void Application::ShowModal(Form& form) {
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

void Application::Terminate() {
    terminated_ = true;
    if (host_ != nullptr)
        host_->Quit();
}

int Application::MessageBox(const std::string& text, const std::string& caption, unsigned flags) {
    return desktop_.MessageBox(text, caption, flags);
}

void Application::ShowException(const std::exception& error) {
    // Errors raised under an open box (a timer tick) are dropped, so boxes never pile up.
    if (errorBoxOpen_)
        return;
    errorBoxOpen_ = true;
    ++errorBoxes_;
    try {
        desktop_.MessageBox(ErrorBoxText(error.what()), title_, port::mb::Ok | port::mb::IconError);
    } catch (...) {
        errorBoxOpen_ = false;
        throw;
    }
    errorBoxOpen_ = false;
}

void Application::Guard(const Handler& handler) {
    if (!handler)
        return;
    try {
        handler();
    } catch (const std::exception& error) {
        ShowException(error);
    }
}

} // namespace tk
