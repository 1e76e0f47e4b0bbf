#pragma once

#include "app/ControlIds.h"
#include "toolkit/Controls.h"

namespace trelvix {

class Program;

class TAbout : public tk::Form {
  public:
    explicit TAbout(Program& program);
    Program& Prog;
    tk::Label Label1{*this, this, "Label1", ids::about::Form + 1};
    tk::BitBtn BitBtn1{*this, this, "BitBtn1", ids::about::Form + 2};
};

} // namespace trelvix
