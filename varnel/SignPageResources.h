#pragma once

// The signing page as a string table: base64 pieces 104, 105 and 106, made
// from SignPage.html at build time.
constexpr int kSignPagePieces[] = {104, 105, 106};

// The piece of one id, or nullptr.
const char* LoadResourceString(int id);
