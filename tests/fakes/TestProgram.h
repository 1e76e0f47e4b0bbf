#pragma once

#include "app/Program.h"
#include "fakes/Fakes.h"

#include <memory>

namespace fakes {

// A whole program on fake ports. Arrange the fakes, then Start().
struct TestProgram {
    FakePorts fake;
    std::unique_ptr<trelvix::Program> program;
    // Where jobs off the window's thread run; none: at once.
    port::Background* background = nullptr;
    // The native toolkit's stand-in; none: controls are pure state.
    tk::Host* host = nullptr;

    trelvix::Program& Start() {
        program = std::make_unique<trelvix::Program>(fake.ports, host);
        program->App.SetBackground(background);
        program->Start();
        return *program;
    }
    trelvix::Program& P() { return *program; }
    trelvix::TMainForm& Main() { return *program->MainForm; }

    // A stored setting of HKCU\SOFTWARE\Ostrand\tvx.
    [[nodiscard]] std::optional<std::int64_t> Stored(const std::string& name) const {
        auto v = fake.registry.Get(port::RegRoot::CurrentUser, "SOFTWARE\\Ostrand\\tvx", name);
        if (!v || v->type != port::RegType::DWord)
            return std::nullopt;
        return static_cast<std::int64_t>(v->number);
    }
    void Store(const std::string& name, std::uint32_t value) {
        fake.registry.SetDWord(port::RegRoot::CurrentUser, "SOFTWARE\\Ostrand\\tvx", name, value);
    }
};

} // namespace fakes
