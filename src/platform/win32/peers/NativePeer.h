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

} // namespace win32
