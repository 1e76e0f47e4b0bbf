#include "platform/win32/DarkMode.h"

#include "platform/win32/Win32System.h"

namespace win32 {

namespace {

template <typename Function> Function Ordinal(HMODULE module, WORD ordinal) {
    if (!NamelessOrdinal(module, ordinal))
        return nullptr;
    return ProcedureOf<Function>(module, MAKEINTRESOURCEA(ordinal));
}

} // namespace

bool NamelessOrdinal(HMODULE module, WORD ordinal) {
    if (module == nullptr)
        return false;
    const auto* base = reinterpret_cast<const BYTE*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directory =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    if (directory.VirtualAddress == 0 || directory.Size == 0)
        return false;
    const auto* exports =
        reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + directory.VirtualAddress);
    if (ordinal < exports->Base || ordinal - exports->Base >= exports->NumberOfFunctions)
        return false;
    const auto* named = reinterpret_cast<const WORD*>(base + exports->AddressOfNameOrdinals);
    for (DWORD i = 0; i < exports->NumberOfNames; ++i)
        if (named[i] == ordinal - exports->Base)
            return false;
    return true;
}

DarkMode::DarkMode(port::WindowsVersion version) {
    // By ordinal only where these ordinals are these functions; elsewhere they may be others.
    lookedUp_ = version.major > 10 || (version.major == 10 && version.build >= FirstDarkBuild);
    if (lookedUp_) {
        HMODULE uxtheme = GetModuleHandleW(L"uxtheme.dll");
        preferredMode_ = version.major > 10 || version.build >= FirstPreferredModeBuild;
        if (preferredMode_)
            setPreferredAppMode_ = Ordinal<PreferredAppMode>(uxtheme, 135);
        else
            allowDarkModeForApp_ = Ordinal<AllowForApp>(uxtheme, 135);
        allowDarkModeForWindow_ = Ordinal<AllowForWindow>(uxtheme, 133);
        flushMenuThemes_ = Ordinal<Plain>(uxtheme, 136);
        refreshColorPolicy_ = Ordinal<Plain>(uxtheme, 104);
        // All or none: a uxtheme with only some of them is not the one they were made for.
        if (!Available()) {
            setPreferredAppMode_ = nullptr;
            allowDarkModeForApp_ = nullptr;
            allowDarkModeForWindow_ = nullptr;
            flushMenuThemes_ = nullptr;
            refreshColorPolicy_ = nullptr;
        }
    }
    // Documented, but only in dwmapi, which the program does not import.
    dwm_.reset(LoadLibraryExW(L"dwmapi.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
    setWindowAttribute_ = ProcedureOf<SetAttribute>(dwm_.get(), "DwmSetWindowAttribute");
}

bool DarkMode::Available() const {
    const bool appMode =
        preferredMode_ ? setPreferredAppMode_ != nullptr : allowDarkModeForApp_ != nullptr;
    return lookedUp_ && appMode && allowDarkModeForWindow_ != nullptr &&
           flushMenuThemes_ != nullptr && refreshColorPolicy_ != nullptr;
}

void DarkMode::SetAppDark(bool dark) {
    constexpr int AllowDark = 1, Default = 0;
    if (setPreferredAppMode_ != nullptr)
        setPreferredAppMode_(dark ? AllowDark : Default);
    else if (allowDarkModeForApp_ != nullptr)
        allowDarkModeForApp_(dark ? TRUE : FALSE);
    if (refreshColorPolicy_ != nullptr)
        refreshColorPolicy_();
    if (flushMenuThemes_ != nullptr)
        flushMenuThemes_();
}

void DarkMode::SetWindowDark(HWND window, bool dark) const {
    if (allowDarkModeForWindow_ != nullptr)
        allowDarkModeForWindow_(window, dark ? TRUE : FALSE);
    if (setWindowAttribute_ == nullptr)
        return;
    const BOOL value = dark ? TRUE : FALSE;
    if (FAILED(setWindowAttribute_(window, DarkTitleAttribute, &value, sizeof value)))
        (void)setWindowAttribute_(window, DarkTitleAttributeBefore2004, &value, sizeof value);
}

} // namespace win32
