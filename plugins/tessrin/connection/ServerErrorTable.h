#pragma once

// One built-in error text of the trade server; the text is UTF-8.
struct ServerErrorEntry
{
    int code;
    const char* text;
};

// Built-in texts in ascending code order, ended by the entry {0, ""} (the
// first entry, {0, "成功"}, is a real one: only an empty text ends the walk).
extern const ServerErrorEntry ServerErrorTable[];
