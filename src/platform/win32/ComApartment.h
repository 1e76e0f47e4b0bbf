#pragma once

// COM on the calling thread for as long as the object lives.

#include "platform/win32/Handle.h"

#include <objbase.h>

#include <memory>

namespace win32 {

// Enters the apartment `model` (COINIT_ flags) asks for; left only when it was entered, so a
// thread already in another apartment is left as it was.
class ComApartment {
  public:
    explicit ComApartment(DWORD model) : result_(CoInitializeEx(nullptr, model)) {}
    ~ComApartment() {
        if (SUCCEEDED(result_))
            CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

  private:
    HRESULT result_;
};

struct ComRelease {
    void operator()(IUnknown* object) const { object->Release(); }
};
// A COM object held by one reference, released when the holder goes.
template <typename T> using UniqueCom = std::unique_ptr<T, ComRelease>;

} // namespace win32
