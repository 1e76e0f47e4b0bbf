#include "autostart/RunEntries.h"

#include "app/Program.h"
#include "toolkit/RegistryObject.h"

namespace trelvix {

void DetectAutoRun(Program& p) {
    tk::RegistryObject reg(p.Ports.registry, port::RegRoot::CurrentUser);
    reg.OpenKey("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", false);
    // Any value whose name begins with the program's name counts, whatever its data.
    for (const std::string& name : reg.GetValueNames())
        if (name.rfind("Trelvix", 0) == 0)
            p.AutoRunOn = true;
}

void RefreshAutoStart(Program&) {}

} // namespace trelvix
