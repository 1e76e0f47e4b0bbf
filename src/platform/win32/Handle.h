#pragma once

// One move-only owner for every kind of Windows handle.

#include <windows.h>

// The ports have methods named MessageBox and CreateDirectory; <windows.h> would turn them into
// the A/W names. This layer calls the W functions by their full names.
#undef MessageBox
#undef CreateDirectory

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
using UniqueWindow = Unique<HWND, &DestroyWindow>;
using UniqueIcon = Unique<HICON, &DestroyIcon>;
using UniqueHandle = Unique<HANDLE, &CloseHandle>;

// The device context of a window's client area (of the screen for nullptr), released with
// the object.
class WindowDc {
  public:
    explicit WindowDc(HWND window = nullptr) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_ != nullptr)
            ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    [[nodiscard]] HDC get() const { return dc_; }

  private:
    HWND window_;
    HDC dc_;
};

} // namespace win32
