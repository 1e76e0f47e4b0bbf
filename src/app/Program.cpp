#include "app/Program.h"

#include "app/ResourceGlyphs.h"

namespace trelvix {

namespace {
// The application title is the executable's base name, without its extension.
std::string BaseName(const std::string& path) {
    std::string name = path.substr(path.find_last_of("\\/") + 1);
    auto dot = name.find_last_of('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}
} // namespace

Program::Program(port::Ports& ports, tk::Host* host)
    : Ports(ports), App(ports.desktop, BaseName(ports.system.ExecutablePath())) {
    App.SetHost(host);
}

Program::~Program() {
    // No reread may reach a program that is going.
    Ports.keyWatch.Stop();
    // First, while everything is whole: results of jobs still out never run in a program
    // being taken apart, and the tasks waiting for them go now with their busy glyphs,
    // before the failures those might report and the forms they paint, without painting
    // (the window is going).
    App.End();
}

void Program::Start() {
    // Before the first window: every control is made in the user's look.
    Look = std::make_unique<LookFollower>(App, Ports.look);
    MainForm = std::make_unique<TMainForm>(*this);
    App.CreateForm(*MainForm);
    About = std::make_unique<TAbout>(*this);
    App.CreateForm(*About);
    Options = std::make_unique<TOptions>(*this);
    App.CreateForm(*Options);
    SetVolumeName = std::make_unique<TSetVolumeName>(*this);
    App.CreateForm(*SetVolumeName);
    App.ShowMainForm();
}

} // namespace trelvix
