#pragma once

// One move-only owner for every kind of Windows handle.

#include <windows.h>

// The toolkit's Application::MessageBox would otherwise become MessageBoxW in the files of this
// layer only, and no longer be the same class there. This layer calls the W functions by
// their full names.
#undef MessageBox

#include <type_traits>
#include <utility>

namespace win32 {

// Owns a handle of type T and gives it back with Close. Both nullptr and, for HANDLE,
// INVALID_HANDLE_VALUE count as empty, since the API returns either for "no handle".
template <typename T, auto Close> class Unique {
  public:
    Unique() = default;
    explicit Unique(T handle) : handle_(handle) {}
    ~Unique() { reset(); }

    Unique(const Unique&) = delete;
    Unique& operator=(const Unique&) = delete;
    Unique(Unique&& other) noexcept : handle_(other.release()) {}
    Unique& operator=(Unique&& other) noexcept {
        if (this != &other)
            reset(other.release());
        return *this;
    }

    T get() const { return handle_; }
    explicit operator bool() const { return !IsEmpty(handle_); }

    // Gives up ownership without closing.
    T release() { return std::exchange(handle_, T{}); }
    // Closes the handle held, if any, and takes the new one.
    void reset(T handle = T{}) {
        const T old = std::exchange(handle_, handle);
        if (!IsEmpty(old))
            static_cast<void>(Close(old));
    }

  private:
    static bool IsEmpty(T handle) {
        if constexpr (std::is_same_v<T, HANDLE>)
            return handle == nullptr || handle == INVALID_HANDLE_VALUE;
        else
            return handle == nullptr;
    }

    T handle_{};
};

using UniqueKey = Unique<HKEY, &RegCloseKey>;
using UniqueFind = Unique<HANDLE, &FindClose>;
using UniqueGdi = Unique<HGDIOBJ, &DeleteObject>;
// A named function, not a lambda: the alias must be the same type in every file.
inline BOOL DeleteBitmap(HBITMAP bitmap) {
    return DeleteObject(bitmap);
}
using UniqueBitmap = Unique<HBITMAP, &DeleteBitmap>;
// A device context the program made (CreateCompatibleDC).
using UniqueDC = Unique<HDC, &DeleteDC>;
using UniqueWindow = Unique<HWND, &DestroyWindow>;
using UniqueIcon = Unique<HICON, &DestroyIcon>;
using UniqueHandle = Unique<HANDLE, &CloseHandle>;

// A window's device context (GetDC; the screen's for nullptr), given back with ReleaseDC.
class WindowDC {
  public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDC() {
        if (dc_ != nullptr)
            ReleaseDC(window_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

  private:
    HWND window_;
    HDC dc_;
};

// An object selected into a device context for the life of this scope; the object it
// replaced goes back in at the end, so the context never keeps one that is deleted.
class SelectedObject {
  public:
    SelectedObject(HDC dc, HGDIOBJ object)
        : dc_(dc), old_(dc != nullptr && object != nullptr ? SelectObject(dc, object) : nullptr) {}
    ~SelectedObject() {
        if (old_ != nullptr && old_ != HGDI_ERROR)
            SelectObject(dc_, old_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

  private:
    HDC dc_;
    HGDIOBJ old_;
};

} // namespace win32
