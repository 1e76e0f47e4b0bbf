#pragma once

#include "app/ControlIds.h"
#include "toolkit/Controls.h"

namespace trelvix {

class Program;

// Refresh period and capacity unit.
class TOptions : public tk::Form {
  public:
    explicit TOptions(Program& program);
    Program& Prog;
    tk::BitBtn BitBtn2{*this, this, "BitBtn2", ids::options::Form + 1};
    tk::BitBtn BitBtn3{*this, this, "BitBtn3", ids::options::Form + 2};
};

} // namespace trelvix
