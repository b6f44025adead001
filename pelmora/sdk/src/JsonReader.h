#ifndef PELMORA_JSONREADER_H
#define PELMORA_JSONREADER_H

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

// Reads JSON text into a document without the two ways a hostile file can
// hurt: objects of any size are built in time near-linear in their members
// (the ordered object type searches its members on each insert), and nothing
// is nested deeper than kMaxDepth, since copying and writing a document
// recurse once per level.
class JsonReader
{
public:
    using Json = nlohmann::ordered_json;
    // Far beyond anything this program writes.
    static constexpr int kMaxDepth = 100;

    struct Result
    {
        bool ok = false; // the text was JSON (without what was left out)
        Json document;
        // Entries left out because something in them was nested too deeply,
        // as their paths ("objects/Filler").
        std::vector<std::string> leftOut;
        std::string error; // why the text is not JSON
    };

    // entryLevel: the level of the members that are left out whole when
    // something in them is too deep (1: the members of the top-level value).
    // At 0 such a text is no JSON at all.
    static Result Read(const std::string& text, int entryLevel);
};

#endif // PELMORA_JSONREADER_H
