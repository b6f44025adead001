#pragma once

// The text colours a status field can be given, in the palette order of the
// account lines. The host turns them into the toolkit's stock colours.
enum class StatusColour { Black, Blue, Green, Cyan, LightGrey, Red, White, Count };
