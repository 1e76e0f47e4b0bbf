#pragma once

#include "toolkit/Controls.h"

#include <string>

namespace trelvix {

class Program;

// Reads executable directory + ".\\Resource\\" + `file`. A file that cannot be read
// is reported with the standard error box once per run and yields no picture.
tk::Bitmap LoadResourceGlyph(Program& p, const std::string& file);
// The path LoadResourceGlyph reads.
std::string ResourcePath(Program& p, const std::string& file);

// The Refresh button shows its busy glyph for the life of this object, painted at
// once, and its idle glyph afterwards, also when the work in between raised. Nested ones
// paint nothing: the idle glyph comes back when the last one goes.
class BusyGlyph {
  public:
    explicit BusyGlyph(Program& p);
    ~BusyGlyph();
    BusyGlyph(const BusyGlyph&) = delete;
    BusyGlyph& operator=(const BusyGlyph&) = delete;

  private:
    Program& p_;
};

} // namespace trelvix
