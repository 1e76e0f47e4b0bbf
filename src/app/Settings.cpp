#include "app/Settings.h"

#include "app/Program.h"
#include "disks/CapacityText.h"
#include "toolkit/Errors.h"
#include "toolkit/RegistryObject.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace trelvix {

namespace {

constexpr const char* SettingsKey = "SOFTWARE\\Ostrand\\tvx";
constexpr const char* ShellFoldersKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// One stored value: its registry name, default and the variable behind it, as the
// 32-bit number the registry holds.
struct Setting {
    const char* name;
    std::int32_t defaultValue;
    std::int32_t (*get)(const Program&);
    void (*set)(Program&, std::int32_t);
    // A stored value this rejects reads as the default, which is written back.
    bool (*inRange)(std::int32_t) = nullptr;
};

#define TRELVIX_INT_SETTING(var, def)                                                              \
    Setting {                                                                                      \
#var, def,                                                                                 \
            [](const Program& p) -> std::int32_t { return p.var; },                                \
                                                                 [](Program & p,                   \
                                                                    std::int32_t v) { p.var = v; } \
    }
#define TRELVIX_BOOL_SETTING(var)                                                                  \
    Setting {                                                                                      \
#var, 0,                                                                                   \
            [](const Program& p)                                                                   \
                 -> std::int32_t { return p.var ? 1 : 0; }, [](Program & p,                        \
                                                               std::int32_t v) { p.var = v != 0; } \
    }

// In the order they are written.
const std::array<Setting, 17> Settings = {
    TRELVIX_INT_SETTING(Interval, 0),
    TRELVIX_BOOL_SETTING(IntervalFlag),
    // The divisor is 64 bits wide in memory; the registry keeps its low 32 bits and
    // gives them back sign-extended.
    Setting{"ChangeOfBytes", 1048576,
            [](const Program& p) {
                return static_cast<std::int32_t>(static_cast<std::uint32_t>(p.ChangeOfBytes));
            },
            [](Program& p, std::int32_t v) { p.ChangeOfBytes = KnownDivisor(v); }},
    TRELVIX_INT_SETTING(TopForm, 30),
    TRELVIX_INT_SETTING(LeftForm, 30),
    TRELVIX_INT_SETTING(WindowStates, 0),
    TRELVIX_INT_SETTING(IndexOfTab, 0),
    TRELVIX_INT_SETTING(IndexOfTabOptions, 0),
    TRELVIX_BOOL_SETTING(StayOnTop),
    TRELVIX_INT_SETTING(ControlPanelIndex, 0),
    TRELVIX_INT_SETTING(AdministrativeToolsIndex, 0),
    TRELVIX_INT_SETTING(UsefulToolsIndex, 0),
    TRELVIX_BOOL_SETTING(IndexOfTemp),
    TRELVIX_INT_SETTING(IndexOfRemoveable, 0),
    TRELVIX_INT_SETTING(IndexOfFreeTemp, 0),
    // A DWORD of 2^31 or more reads negative: out of range too.
    Setting{"LowSpaceGB", DefaultLowSpaceGB,
            [](const Program& p) -> std::int32_t { return p.LowSpaceGB; },
            [](Program& p, std::int32_t v) { p.LowSpaceGB = v; },
            [](std::int32_t v) { return v >= 0 && v <= MaxLowSpaceGB; }},
    Setting{"WatchAutoStart", 1, [](const Program& p) -> std::int32_t { return p.WatchAutoStart; },
            [](Program& p, std::int32_t v) { p.WatchAutoStart = v != 0; }},
};

#undef TRELVIX_INT_SETTING
#undef TRELVIX_BOOL_SETTING

// Loading reads IndexOfRemoveable before IndexOfTemp; saving writes them the other way.
constexpr std::array<int, 17> LoadOrder = {0, 1,  2,  3,  4,  5,  6,  7, 8,
                                           9, 10, 11, 13, 12, 14, 15, 16};

void WriteDefaults(Program& p, tk::RegistryObject& reg) {
    p.Interval = 0;
    p.IntervalFlag = false;
    p.ChangeOfBytes = DefaultDivisor;
    for (const Setting& s : Settings)
        reg.WriteInteger(s.name, s.defaultValue);
}

void LoadValue(Program& p, tk::RegistryObject& reg, const Setting& s) {
    if (!reg.ValueExists(s.name)) {
        reg.WriteInteger(s.name, s.defaultValue);
        return;
    }
    try {
        const std::int32_t value = reg.ReadInteger(s.name);
        if (s.inRange != nullptr && !s.inRange(value)) {
            s.set(p, s.defaultValue);
            reg.WriteInteger(s.name, s.defaultValue);
            return;
        }
        s.set(p, value);
    } catch (const tk::Exception& error) {
        // A value that cannot be read counts as missing: the default replaces it.
        p.App.ShowException(error);
        s.set(p, s.defaultValue);
        reg.WriteInteger(s.name, s.defaultValue);
    }
}

// Refreshing on with a period of 0 would show "0 seconds" and "Now On" while nothing
// refreshes: such a pair reads as off, and is stored so.
void RepairPeriodPair(Program& p, tk::RegistryObject& reg) {
    if (p.Interval != 0 || !p.IntervalFlag)
        return;
    p.IntervalFlag = false;
    reg.WriteInteger("IntervalFlag", 0);
}

void LoadAdministrativeToolsPath(Program& p) {
    tk::RegistryObject reg(p.Ports.registry, port::RegRoot::LocalMachine);
    if (!reg.OpenKeyReadOnly(ShellFoldersKey))
        return;
    try {
        p.CommonAdministrativeToolsPath = reg.ReadString("Common Administrative Tools");
    } catch (const tk::Exception& error) {
        p.App.ShowException(error);
    }
}

} // namespace

std::int64_t KnownDivisor(std::int64_t divisor) {
    return std::ranges::find(CapacityDivisors, divisor) != CapacityDivisors.end() ? divisor
                                                                                  : DefaultDivisor;
}

void LoadSettings(Program& p) {
    {
        tk::RegistryObject reg(p.Ports.registry, port::RegRoot::CurrentUser);
        if (!reg.OpenKey(SettingsKey, false)) {
            reg.OpenKey(SettingsKey, true);
            WriteDefaults(p, reg);
        } else {
            for (int index : LoadOrder)
                LoadValue(p, reg, Settings[static_cast<size_t>(index)]);
            RepairPeriodPair(p, reg);
        }
    }
    LoadAdministrativeToolsPath(p);
}

void SaveSettings(Program& p) {
    tk::RegistryObject reg(p.Ports.registry, port::RegRoot::CurrentUser);
    reg.OpenKey(SettingsKey, true);
    if (p.MainForm) {
        p.TopForm = p.MainForm->Top();
        p.LeftForm = p.MainForm->Left();
    }
    for (const Setting& s : Settings)
        reg.WriteInteger(s.name, s.get(p));
}

} // namespace trelvix
