#pragma once

#include "toolkit/Peer.h"

namespace win32 {

// A peer made in two steps: constructed, then built once it sits at its final address,
// so that the window procedure may already call back into it.
class NativePeer : public tk::Peer {
  public:
    // Makes the native object and mirrors every property of the component into it.
    virtual void Build() = 0;
};

// A typed character through one of the model's key filters, which speak single bytes: a
// character outside ASCII reaches them as SUB. The character to pass on; 0 for none.
template <typename Filter> wchar_t FilterKey(wchar_t key, Filter filter) {
    const char asked = key < 0x80 ? static_cast<char>(key) : '\x1A';
    const char taken = filter(asked);
    if (taken == 0)
        return 0;
    if (taken == asked)
        return key;
    return static_cast<unsigned char>(taken) < 0x80 ? static_cast<wchar_t>(taken) : key;
}

} // namespace win32
