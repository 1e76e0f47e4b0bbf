#pragma once

#include "cleanup/OptionalFiles.h"

namespace trelvix {

class Program;

// Every delete action sits behind one warning that the user answers once for good: after
// the first Yes the program deletes without asking, in this run and every later one. An
// action asks at most once; a No stops the rest of it and is forgotten when it ends. Each
// action shows the busy glyph while it runs and, except the Recycle Bin's, saves the
// settings once at its end.

// "Delete from Temporary Directory", "Delete Files from Temporary Internet", "Delete Files
// From History", "Delete Files from Cookies".
void DeletePlaceContent(Program& p, FolderPlace place);
// "Delete files from Recycle Bin".
void DeleteRecycleBinContent(Program& p);
// The four places and the Recycle Bin in one action, under one answer; without the busy
// glyph and the total line, which its callers add.
void DeleteAllOptionalFiles(Program& p);
// "Delete All Optional Files", on the Total sub-tab and the tool bar.
void DeleteAllOptionalFilesClick(Program& p);
// "Delete All Optional Files and Start Defragmenter": the defragmenter starts only when
// deleting was allowed.
void DeleteAllAndStartDefragmenter(Program& p);

} // namespace trelvix
