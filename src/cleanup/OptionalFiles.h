#pragma once

namespace trelvix {

class Program;

void RefreshTemp(Program& p);
void RefreshTempLabel(Program& p);
void RefreshInternetCache(Program& p);
void RefreshHistory(Program& p);
void RefreshCookies(Program& p);
void RefreshRecycleBin(Program& p);
void RefreshTotal(Program& p);
// All of the above, in that order.
void RefreshFreeTemp(Program& p);
// The delete and browse buttons of the five places share the first ones' glyphs.
void ShareFreeTempGlyphs(Program& p);
void DeleteAllOptionalFiles(Program& p);

} // namespace trelvix
