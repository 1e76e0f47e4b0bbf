#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace port {

struct LocalTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, milliseconds = 0;
    int dayOfWeek = 0; // 0 = Sunday
};

struct MemoryStatus {
    std::uint32_t memoryLoad = 0; // percent
    std::uint64_t totalPhys = 0, availPhys = 0;
    std::uint64_t totalPageFile = 0, availPageFile = 0;
    std::uint64_t totalVirtual = 0, availVirtual = 0;
};

// The running Windows' own version (not the one a compatibility shim reports).
struct WindowsVersion {
    unsigned major = 0, minor = 0, build = 0;
};

class System {
  public:
    virtual ~System() = default;
    // Full path of the running executable, as the system reports it.
    [[nodiscard]] virtual std::string ExecutablePath() = 0;
    [[nodiscard]] virtual LocalTime Now() = 0;
    // The user's locale settings.
    [[nodiscard]] virtual std::string DecimalSeparator() = 0;
    // Formats `t` with the user's short date format and long time format.
    [[nodiscard]] virtual std::string FormatShortDate(const LocalTime& t) = 0;
    [[nodiscard]] virtual std::string FormatLongTime(const LocalTime& t) = 0;
    [[nodiscard]] virtual MemoryStatus Memory() = 0;
    // Milliseconds since Windows started, 64 bits wide.
    [[nodiscard]] virtual std::uint64_t TickCount() = 0;
    // `text` in lower case by the system's rules (letters of every script).
    [[nodiscard]] virtual std::string LowerCase(const std::string& text) = 0;
    // A local time of the user's time zone as universal time, and back, by the system's
    // daylight-saving rules; nullopt when the system cannot convert the time.
    [[nodiscard]] virtual std::optional<LocalTime> LocalToUniversal(const LocalTime& local) = 0;
    [[nodiscard]] virtual std::optional<LocalTime> UniversalToLocal(const LocalTime& universal) = 0;
    // The present moment as Windows stamps files and registry records: 100-nanosecond
    // intervals since 1 January 1601, universal time.
    [[nodiscard]] virtual std::uint64_t FileTimeNow() = 0;
    [[nodiscard]] virtual WindowsVersion OsVersion() = 0;
};

} // namespace port
