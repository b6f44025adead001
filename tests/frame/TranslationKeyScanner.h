#pragma once
// Finds the keys that C++ sources hand to the translation lookup, and says
// which of them a user could read as they stand.
//
// A key is found where a string literal (adjacent literals joined, escapes
// decoded) is the first argument of `_()`, `wxTRANSLATE()` or
// `wxGetTranslation()`; comments and the insides of other literals are
// skipped. A key table that reaches the lookup through a variable (the code
// tables of the display-text helpers, the check messages of the dialogs'
// rules) marks each key with `wxTRANSLATE` where it is written; a lookup of
// a variable is counted as such, so nothing marks its keys for it.
//
// Plain English words (IsPlainEnglish): the key, with its printf conversions
// ("%s", "%d", "%.2f", "%%"), menu mnemonics ("&") and escapes (\n, \t)
// removed, is ASCII only, and every word in it (a run of letters and
// underscores) is all lower case ("search"), one capital then lower case
// ("Account") or all capitals ("OTC", "B"). Anything else (a camel-case
// join "systemSetting" or "ZaiPai", an underscore "eAST_Normal", a Chinese
// text) needs a catalogue entry, and so does a key that starts with a
// lower-case letter ("ok", "search"): shown as it stands it would not read as
// a title, a button or a sentence (NeedsEntry). The rule looks at shapes, not
// spelling: a misspelt or made-up capitalised word passes, and the catalogue
// may still give it a text.
#include <string>
#include <vector>

struct TranslationKey
{
    std::string key;
    std::string file;
    int line = 0;
};

class TranslationKeyScanner
{
public:
    // The keys of one source text, in order; `file` only labels them.
    void Scan(const std::string& source, const std::string& file);
    // Every .cpp and .h file below `folder`, in name order.
    void ScanFolder(const std::string& folder);

    const std::vector<TranslationKey>& Keys() const { return m_keys; }
    // Lookups whose argument is not a literal (`wxGetTranslation(row.key)`).
    int VariableLookups() const { return m_variableLookups; }

    static bool IsPlainEnglish(const std::string& key);
    // Not plain English, or starting with a lower-case letter.
    static bool NeedsEntry(const std::string& key);
    // The printf conversions of a text, in order ("%s", "%d", "%.2f"; "%%"
    // is no conversion and left out).
    static std::vector<std::string> Conversions(const std::string& text);

private:
    std::vector<TranslationKey> m_keys;
    int m_variableLookups = 0;
};
