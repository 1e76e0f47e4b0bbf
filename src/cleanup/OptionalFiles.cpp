#include "cleanup/OptionalFiles.h"

#include "app/Program.h"

namespace trelvix {

void RefreshTemp(Program&) {}
void RefreshTempLabel(Program&) {}
void RefreshInternetCache(Program&) {}
void RefreshHistory(Program&) {}
void RefreshCookies(Program&) {}
void RefreshRecycleBin(Program&) {}
void RefreshTotal(Program&) {}

void RefreshFreeTemp(Program& p) {
    RefreshTemp(p);
    RefreshTempLabel(p);
    RefreshInternetCache(p);
    RefreshHistory(p);
    RefreshCookies(p);
    RefreshRecycleBin(p);
    RefreshTotal(p);
}

void ShareFreeTempGlyphs(Program&) {}
void DeleteAllOptionalFiles(Program&) {}

} // namespace trelvix
