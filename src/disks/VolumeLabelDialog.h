#pragma once

#include "app/ControlIds.h"
#include "toolkit/Controls.h"

namespace trelvix {

class Program;

// The dialog that changes a drive's volume label.
class TSetVolumeName : public tk::Form {
  public:
    explicit TSetVolumeName(Program& program);
    Program& Prog;
};

} // namespace trelvix
