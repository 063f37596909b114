// Where the main window's 24 calculator keys sit, their object names, how
// they are lettered and their place in the tab order. Captions and
// operations come from the engine's keypad table; this table adds only what
// the window needs.
#pragma once

#include "keypad.h"
#include "look.h"
#include "twips.h"

#include <array>

namespace rurozovizera::ui {

struct KeyPlacement {
    Key key;
    const char* name; // the key's object name, which the tests find it by
    TwipsRect box;
    FontSpec font;
    int tabIndex;
    const char* spokenName; // what a screen reader says the key does
};

// Every key once, in no particular order; keypad_layout.cpp checks that as
// it compiles.
extern const std::array<KeyPlacement, kKeyCount> kKeyPlacements;

// The small "?" key that shows the help example; it is no calculator key.
inline constexpr const char* kHelpKeyName = "cmdexp1";
inline constexpr TwipsRect kHelpKeyBox{3480, 360, 255, 255};
inline constexpr int kHelpKeyTabIndex = 25;
inline constexpr const char* kHelpKeySpokenName = "help example";

// The two display boxes lie exactly on top of each other.
inline constexpr TwipsRect kDisplayBox{120, 0, 3495, 375};
inline constexpr int kPrimaryDisplayTabIndex = 0;
inline constexpr int kSecondaryDisplayTabIndex = 23;

} // namespace rurozovizera::ui
