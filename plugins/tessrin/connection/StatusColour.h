#pragma once

// The text colours a status field can be given, in the palette order of the
// account lines. The frame draws each in a shade readable on the bar.
enum class StatusColour { Black, Blue, Green, Cyan, LightGrey, Red, White, Count };
