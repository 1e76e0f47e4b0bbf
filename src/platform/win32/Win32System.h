#pragma once

#include "platform/System.h"
#include "platform/win32/Handle.h"

namespace win32 {

// The core's local time as the API's SYSTEMTIME, and back.
SYSTEMTIME ToSystemTime(const port::LocalTime& t);
port::LocalTime FromSystemTime(const SYSTEMTIME& st);

// TzSpecificLocalTimeToSystemTime and SystemTimeToTzSpecificLocalTime in `zone`; nullptr is
// the zone the system uses now.
std::optional<port::LocalTime> LocalToUniversalIn(const TIME_ZONE_INFORMATION* zone,
                                                  const port::LocalTime& local);
std::optional<port::LocalTime> UniversalToLocalIn(const TIME_ZONE_INFORMATION* zone,
                                                  const port::LocalTime& universal);

// RtlGetVersion of ntdll, which no compatibility shim changes; zeros when it is missing.
port::WindowsVersion RunningWindowsVersion();

// A function of a DLL by its name or ordinal, as the type it has; nullptr when absent.
template <typename Function> Function ProcedureOf(HMODULE module, const char* name) {
    if (module == nullptr)
        return nullptr;
    // Through the one function type every other converts to without a warning.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

class Win32System : public port::System {
  public:
    // GetModuleFileNameW of the executable, whole (paths longer than MAX_PATH too).
    std::string ExecutablePath() override;
    // GetLocalTime.
    port::LocalTime Now() override;
    // GetLocaleInfoEx LOCALE_SDECIMAL of the user's locale; "" when unavailable.
    std::string DecimalSeparator() override;
    // GetDateFormatEx DATE_SHORTDATE / GetTimeFormatEx of the user's locale; "" when `t` is
    // not a valid date or time.
    std::string FormatShortDate(const port::LocalTime& t) override;
    std::string FormatLongTime(const port::LocalTime& t) override;
    // GlobalMemoryStatusEx (64-bit figures); all zero when the system refuses.
    port::MemoryStatus Memory() override;
    // GetTickCount64.
    std::uint64_t TickCount() override;
    // CharLowerBuffW.
    std::string LowerCase(const std::string& text) override;
    // The two conversions above in the system's current zone.
    std::optional<port::LocalTime> LocalToUniversal(const port::LocalTime& local) override;
    std::optional<port::LocalTime> UniversalToLocal(const port::LocalTime& universal) override;
    // GetSystemTimeAsFileTime.
    std::uint64_t FileTimeNow() override;
    // RunningWindowsVersion.
    port::WindowsVersion OsVersion() override;
};

} // namespace win32
