#pragma once

#include "cleanup/OptionalFiles.h"

namespace trelvix {

class Program;

// Every delete action sits behind one warning that the user answers once for good: after
// the first Yes the program deletes without asking, in this run and every later one. An
// action asks at most once; a No stops the rest of it and is forgotten when it ends. Each
// action shows the busy glyph while it runs and, except the Recycle Bin's, saves the
// settings once at its end. The deleting itself runs off the window's thread, one action at
// a time: the delete buttons are disabled meanwhile, and a delete asked for then does nothing.

// "Delete from Temporary Directory", "Delete Files from Temporary Internet", "Delete Files
// From History", "Delete Files from Cookies".
void DeletePlaceContent(Program& p, FolderPlace place);
// "Delete files from Recycle Bin".
void DeleteRecycleBinContent(Program& p);
// "Delete Browser and App Caches": the caches of a running browser stay, and a note in the
// status bar names the browsers to close.
void DeleteAppCachesClick(Program& p);
// "Delete All Optional Files", on the Total sub-tab and the tool bar.
void DeleteAllOptionalFilesClick(Program& p);
// "Delete All Optional Files and Start Defragmenter": the defragmenter starts only when
// deleting was allowed.
void DeleteAllAndStartDefragmenter(Program& p);
// The program ends: a deletion running stops between two files.
void StopDeletion(Program& p);

} // namespace trelvix
