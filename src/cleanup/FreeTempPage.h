#pragma once

namespace trelvix {

class TMainForm;

// The FreeTemp page: the summary table and the five places, with their buttons.
void DesignFreeTempPage(TMainForm& f);

} // namespace trelvix
