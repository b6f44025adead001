#include "TranslationKeyScanner.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

namespace {

struct Token
{
    enum Kind { eIdentifier, eString, ePunct };
    Kind kind;
    std::string text; // a string literal's decoded contents
    int line;
};

bool IsIdentifierStart(char c)
{
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}

bool IsIdentifierChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

// Reads source text into identifiers, string literals and single punctuation
// characters; comments, char literals and numbers are dropped.
class Lexer
{
public:
    explicit Lexer(const std::string& source) : m_s(source) {}

    std::vector<Token> Tokens()
    {
        std::vector<Token> tokens;
        while(m_i < m_s.size()) {
            const char c = m_s[m_i];
            if(c == '\n') {
                ++m_line;
                ++m_i;
            } else if(std::isspace(static_cast<unsigned char>(c))) {
                ++m_i;
            } else if(StartsWith("//")) {
                while(m_i < m_s.size() && m_s[m_i] != '\n') {
                    ++m_i;
                }
            } else if(StartsWith("/*")) {
                SkipBlockComment();
            } else if(c == '"') {
                tokens.push_back({Token::eString, ReadString(), m_line});
            } else if(c == '\'') {
                ReadQuoted('\'');
            } else if(std::isdigit(static_cast<unsigned char>(c))) {
                while(m_i < m_s.size() &&
                      (IsIdentifierChar(m_s[m_i]) || m_s[m_i] == '.' || m_s[m_i] == '\'')) {
                    ++m_i;
                }
            } else if(IsIdentifierStart(c)) {
                const size_t start = m_i;
                while(m_i < m_s.size() && IsIdentifierChar(m_s[m_i])) {
                    ++m_i;
                }
                const std::string word = m_s.substr(start, m_i - start);
                if(m_i < m_s.size() && m_s[m_i] == '"' && IsStringPrefix(word)) {
                    const int line = m_line;
                    tokens.push_back({Token::eString, word.back() == 'R' ? ReadRaw() : ReadString(), line});
                } else {
                    tokens.push_back({Token::eIdentifier, word, m_line});
                }
            } else {
                tokens.push_back({Token::ePunct, std::string(1, c), m_line});
                ++m_i;
            }
        }
        return tokens;
    }

private:
    static bool IsStringPrefix(const std::string& word)
    {
        static const char* const kPrefixes[] = {"L", "u8", "u", "U", "R", "LR", "u8R", "uR", "UR"};
        return std::find(std::begin(kPrefixes), std::end(kPrefixes), word) != std::end(kPrefixes);
    }

    bool StartsWith(const char* text) const { return m_s.compare(m_i, std::strlen(text), text) == 0; }

    void SkipBlockComment()
    {
        m_i += 2;
        while(m_i < m_s.size() && !StartsWith("*/")) {
            m_line += m_s[m_i] == '\n';
            ++m_i;
        }
        m_i = std::min(m_i + 2, m_s.size());
    }

    // A quoted literal from its opening quote; returns its contents with
    // the common escapes decoded.
    std::string ReadQuoted(char quote)
    {
        std::string text;
        ++m_i;
        while(m_i < m_s.size() && m_s[m_i] != quote && m_s[m_i] != '\n') {
            char c = m_s[m_i++];
            if(c == '\\' && m_i < m_s.size()) {
                const char escaped = m_s[m_i++];
                switch(escaped) {
                case 'n':
                    c = '\n';
                    break;
                case 't':
                    c = '\t';
                    break;
                case '0':
                    c = '\0';
                    break;
                default:
                    c = escaped; // \\ \" \' and the rare others, kept as the character
                    break;
                }
            }
            text += c;
        }
        ++m_i;
        return text;
    }

    std::string ReadString() { return ReadQuoted('"'); }

    // R"delimiter( ... )delimiter"
    std::string ReadRaw()
    {
        const size_t open = m_s.find('(', m_i);
        const std::string close = ")" + m_s.substr(m_i + 1, open - m_i - 1) + "\"";
        const size_t end = m_s.find(close, open);
        const std::string text = m_s.substr(open + 1, end - open - 1);
        m_line += static_cast<int>(std::count(text.begin(), text.end(), '\n'));
        m_i = end == std::string::npos ? m_s.size() : end + close.size();
        return text;
    }

    const std::string& m_s;
    size_t m_i = 0;
    int m_line = 1;
};

const std::regex& ConversionPattern()
{
    static const std::regex pattern(
        R"(%[-+ #0]*(\d+|\*)?(\.(\d+|\*))?(hh|h|ll|l|L|z|j|t)?[diouxXeEfFgGaAcsp%])");
    return pattern;
}

} // namespace

void TranslationKeyScanner::Scan(const std::string& source, const std::string& file)
{
    const std::vector<Token> tokens = Lexer(source).Tokens();
    for(size_t i = 0; i + 2 < tokens.size(); ++i) {
        const Token& name = tokens[i];
        if(name.kind != Token::eIdentifier ||
           (name.text != "_" && name.text != "wxTRANSLATE" && name.text != "wxGetTranslation") ||
           tokens[i + 1].kind != Token::ePunct || tokens[i + 1].text != "(") {
            continue;
        }
        size_t next = i + 2;
        if(tokens[next].kind != Token::eString) {
            ++m_variableLookups;
            continue;
        }
        TranslationKey key{std::string(), file, tokens[next].line};
        while(next < tokens.size() && tokens[next].kind == Token::eString) {
            key.key += tokens[next++].text;
        }
        m_keys.push_back(key);
    }
}

void TranslationKeyScanner::ScanFolder(const std::string& folder)
{
    std::vector<std::filesystem::path> files;
    for(const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        const std::string extension = entry.path().extension().string();
        if(entry.is_regular_file() && (extension == ".cpp" || extension == ".h")) {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    for(const std::filesystem::path& path : files) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        Scan(text.str(), path.string());
    }
}

bool TranslationKeyScanner::IsPlainEnglish(const std::string& key)
{
    std::string text = std::regex_replace(key, ConversionPattern(), " ");
    text.erase(std::remove(text.begin(), text.end(), '&'), text.end());
    size_t i = 0;
    while(i < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if(c >= 0x80) {
            return false;
        }
        if(!std::isalpha(c) && c != '_') {
            ++i;
            continue;
        }
        size_t end = i;
        while(end < text.size() &&
              (std::isalpha(static_cast<unsigned char>(text[end])) || text[end] == '_')) {
            ++end;
        }
        const std::string word = text.substr(i, end - i);
        const auto isLower = [](char ch) { return std::islower(static_cast<unsigned char>(ch)) != 0; };
        const auto isUpper = [](char ch) { return std::isupper(static_cast<unsigned char>(ch)) != 0; };
        const bool lower = std::all_of(word.begin(), word.end(), isLower);
        const bool capitalised = isUpper(word[0]) && std::all_of(word.begin() + 1, word.end(), isLower);
        const bool capitals = std::all_of(word.begin(), word.end(), isUpper);
        if(!lower && !capitalised && !capitals) {
            return false;
        }
        i = end;
    }
    return true;
}

bool TranslationKeyScanner::NeedsEntry(const std::string& key)
{
    const size_t first = key.find_first_not_of('&');
    return !IsPlainEnglish(key) ||
           (first != std::string::npos && std::islower(static_cast<unsigned char>(key[first])));
}

std::vector<std::string> TranslationKeyScanner::Conversions(const std::string& text)
{
    std::vector<std::string> found;
    for(auto it = std::sregex_iterator(text.begin(), text.end(), ConversionPattern());
        it != std::sregex_iterator(); ++it) {
        if(it->str() != "%%") {
            found.push_back(it->str());
        }
    }
    return found;
}
