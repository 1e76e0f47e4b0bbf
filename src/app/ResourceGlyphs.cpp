#include "app/ResourceGlyphs.h"

#include "app/Program.h"
#include "toolkit/Errors.h"

namespace trelvix {

std::string ResourcePath(Program& p, const std::string& file) {
    std::string exe = p.Ports.system.ExecutablePath();
    return exe.substr(0, exe.find_last_of('\\') + 1) + ".\\Resource\\" + file;
}

tk::Bitmap LoadResourceGlyph(Program& p, const std::string& file) {
    std::string path = ResourcePath(p, file);
    std::string reason;
    auto image = p.Ports.bitmaps.LoadFile(path, reason);
    // A missing picture is reported once; the work that wanted it goes on without it. It
    // counts as reported once its box was shown, or queued behind a box that is open.
    if (image == nullptr && p.ReportedGlyphFailures.count(file) == 0) {
        p.App.ShowException(tk::EFOpenError(path, reason));
        p.ReportedGlyphFailures.insert(file);
    }
    return tk::Bitmap{file, image};
}

namespace {
void ShowRefreshGlyph(Program& p, const std::string& file) {
    p.MainForm->SpeedButton1.SetGlyph(LoadResourceGlyph(p, file));
    p.MainForm->SpeedButton1.Repaint();
}
} // namespace

BusyGlyph::BusyGlyph(Program& p) : p_(p) {
    if (p_.BusyDepth++ == 0)
        ShowRefreshGlyph(p_, "On.bmp");
}

BusyGlyph::~BusyGlyph() {
    // Runs while a handler's error unwinds too: the idle glyph must come back, and
    // nothing may escape a destructor.
    // At the program's end the window is going: nothing to paint, and no box to open.
    if (--p_.BusyDepth == 0 && !p_.App.Ending())
        p_.App.Guard([this] { ShowRefreshGlyph(p_, "Off.bmp"); });
}

} // namespace trelvix
