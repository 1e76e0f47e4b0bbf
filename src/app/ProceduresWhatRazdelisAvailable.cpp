#include "app/ProceduresWhatRazdelisAvailable.h"

#include "app/Program.h"

namespace trelvix {

void LayOutDriveGroups(Program& p) {
    p.FixedPresent = p.CdPresent = p.NetPresent = p.RamPresent = false;
}

} // namespace trelvix
