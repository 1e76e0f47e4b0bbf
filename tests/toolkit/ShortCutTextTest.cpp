#include "toolkit/ShortCut.h"

#include <gtest/gtest.h>

namespace {

struct ShortCutCase {
    int value;
    const char* text;
};

// The main menu's own shortcuts, then the other shapes a menu may meet.
const ShortCutCase cases[] = {
    {16472, "Ctrl+X"},
    {122, "F11"},
    {116, "F5"},
    {16451, "Ctrl+C"},
    {49234, "Ctrl+Alt+R"},
    {16449, "Ctrl+A"},
    {0x2000 + 0x2E, "Shift+Del"},
    {0x6000 + '1', "Shift+Ctrl+1"},
    {0x8000 + 0x70, "Alt+F1"},
    {0, ""},
    {0x4000, ""},
    {0x4000 + 0xBA, ""},
};

TEST(ShortCutText, NamesEachShortCutAsTheMenuShowsIt) {
    for (const ShortCutCase& c : cases)
        EXPECT_EQ(tk::ShortCutToText(c.value), c.text) << c.value;
}

} // namespace
