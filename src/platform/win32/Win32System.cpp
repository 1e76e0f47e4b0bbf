#include "platform/win32/Win32System.h"

#include "platform/win32/Handle.h"
#include "platform/win32/Unicode.h"

namespace win32 {

namespace {

// Calls `format(buffer, size)` once for the size needed (terminator included), once to fill.
template <typename Format> std::string Formatted(Format format) {
    const int needed = format(nullptr, 0);
    if (needed <= 0)
        return {};
    std::wstring text(static_cast<size_t>(needed), L'\0');
    const int written = format(text.data(), needed);
    if (written <= 0)
        return {};
    text.resize(static_cast<size_t>(written) - 1);
    return Narrow(text);
}

} // namespace

SYSTEMTIME ToSystemTime(const port::LocalTime& t) {
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(t.year);
    st.wMonth = static_cast<WORD>(t.month);
    st.wDay = static_cast<WORD>(t.day);
    st.wDayOfWeek = static_cast<WORD>(t.dayOfWeek);
    st.wHour = static_cast<WORD>(t.hour);
    st.wMinute = static_cast<WORD>(t.minute);
    st.wSecond = static_cast<WORD>(t.second);
    st.wMilliseconds = static_cast<WORD>(t.milliseconds);
    return st;
}

port::LocalTime FromSystemTime(const SYSTEMTIME& st) {
    return {st.wYear,   st.wMonth,  st.wDay,          st.wHour,
            st.wMinute, st.wSecond, st.wMilliseconds, st.wDayOfWeek};
}

std::optional<port::LocalTime> LocalToUniversalIn(const TIME_ZONE_INFORMATION* zone,
                                                  const port::LocalTime& local) {
    const SYSTEMTIME in = ToSystemTime(local);
    SYSTEMTIME out{};
    if (!TzSpecificLocalTimeToSystemTime(zone, &in, &out))
        return std::nullopt;
    return FromSystemTime(out);
}

std::optional<port::LocalTime> UniversalToLocalIn(const TIME_ZONE_INFORMATION* zone,
                                                  const port::LocalTime& universal) {
    const SYSTEMTIME in = ToSystemTime(universal);
    SYSTEMTIME out{};
    if (!SystemTimeToTzSpecificLocalTime(zone, &in, &out))
        return std::nullopt;
    return FromSystemTime(out);
}

std::string Win32System::ExecutablePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        // A full buffer means the path was cut: try again with twice the room.
        if (length < path.size()) {
            path.resize(length);
            return Narrow(path);
        }
        if (path.size() >= 32768)
            return {};
        path.resize(path.size() * 2);
    }
}

port::LocalTime Win32System::Now() {
    SYSTEMTIME st{};
    GetLocalTime(&st);
    return FromSystemTime(st);
}

std::string Win32System::DecimalSeparator() {
    return Formatted([](wchar_t* buffer, int size) {
        return GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, buffer, size);
    });
}

std::string Win32System::FormatShortDate(const port::LocalTime& t) {
    const SYSTEMTIME st = ToSystemTime(t);
    return Formatted([&](wchar_t* buffer, int size) {
        return GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, buffer, size,
                               nullptr);
    });
}

std::string Win32System::FormatLongTime(const port::LocalTime& t) {
    const SYSTEMTIME st = ToSystemTime(t);
    return Formatted([&](wchar_t* buffer, int size) {
        return GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &st, nullptr, buffer, size);
    });
}

port::MemoryStatus Win32System::Memory() {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (!GlobalMemoryStatusEx(&status))
        return {};
    return {status.dwMemoryLoad,     status.ullTotalPhys,     status.ullAvailPhys,
            status.ullTotalPageFile, status.ullAvailPageFile, status.ullTotalVirtual,
            status.ullAvailVirtual};
}

std::uint64_t Win32System::TickCount() {
    return GetTickCount64();
}

std::string Win32System::LowerCase(const std::string& text) {
    std::wstring wide = Widen(text);
    CharLowerBuffW(wide.data(), static_cast<DWORD>(wide.size()));
    return Narrow(wide);
}

std::optional<port::LocalTime> Win32System::LocalToUniversal(const port::LocalTime& local) {
    return LocalToUniversalIn(nullptr, local);
}

std::optional<port::LocalTime> Win32System::UniversalToLocal(const port::LocalTime& universal) {
    return UniversalToLocalIn(nullptr, universal);
}

std::uint64_t Win32System::FileTimeNow() {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    return (static_cast<std::uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

port::WindowsVersion RunningWindowsVersion() {
    // GetVersionEx answers what the manifest or a compatibility mode lets the program see.
    using GetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOW*);
    const auto getVersion =
        ProcedureOf<GetVersionFunction>(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion");
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (getVersion == nullptr || getVersion(&info) != 0)
        return {};
    return {info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber};
}

port::WindowsVersion Win32System::OsVersion() {
    return RunningWindowsVersion();
}

} // namespace win32
