#include "JsonReader.h"

#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <utility>

namespace {
using Json = JsonReader::Json;
using Members = Json::object_t::Container;

// Up to this many members, keys are compared pairwise for repeats.
constexpr std::size_t kCompareUpTo = 16;

// The library's event interface, building the document as the events come.
class Builder
{
public:
    Builder(JsonReader::Result& result, int entryLevel) : m_result(result), m_entryLevel(entryLevel) {}

    bool null() { return Value(Json()); }
    bool boolean(bool value) { return Value(Json(value)); }
    bool number_integer(Json::number_integer_t value) { return Value(Json(value)); }
    bool number_unsigned(Json::number_unsigned_t value) { return Value(Json(value)); }
    bool number_float(Json::number_float_t value, const Json::string_t&) { return Value(Json(value)); }
    bool string(Json::string_t& value) { return Value(Json(std::move(value))); }
    bool binary(Json::binary_t& value) { return Value(Json::binary(std::move(value))); }
    bool start_object(std::size_t) { return Open(Json::object()); }
    bool start_array(std::size_t) { return Open(Json::array()); }
    bool key(Json::string_t& name)
    {
        if(m_skipping == 0) {
            m_key = std::move(name);
        }
        return true;
    }
    bool end_object() { return Close(); }
    bool end_array() { return Close(); }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception& error)
    {
        m_result.error = error.what();
        return false;
    }

private:
    struct Level
    {
        Json* value;
        std::string name; // its key, or its position in an array
    };

    // Puts the value into the open container (or makes it the document).
    // Keys are not looked up here: a repeated one is resolved when its
    // object closes, in one pass.
    void Place(Json&& value)
    {
        if(m_levels.empty()) {
            m_result.document = std::move(value);
        } else if(Json& parent = *m_levels.back().value; parent.is_array()) {
            parent.get_ref<Json::array_t&>().push_back(std::move(value));
        } else {
            Members& members = parent.get_ref<Json::object_t&>();
            members.emplace_back(std::move(m_key), std::move(value));
        }
    }

    // The value placed last; valid while nothing is added after it.
    Json* Last()
    {
        if(m_levels.empty()) {
            return &m_result.document;
        }
        Json& parent = *m_levels.back().value;
        if(parent.is_array()) {
            return &parent.get_ref<Json::array_t&>().back();
        }
        return &static_cast<Members&>(parent.get_ref<Json::object_t&>()).back().second;
    }

    bool Value(Json&& value)
    {
        if(m_skipping == 0) {
            Place(std::move(value));
        }
        return true;
    }

    bool Open(Json&& container)
    {
        if(m_skipping > 0) {
            ++m_skipping;
            return true;
        }
        const std::size_t depth = m_levels.size();
        if(depth >= static_cast<std::size_t>(JsonReader::kMaxDepth)) {
            if(m_entryLevel <= 0 || depth <= static_cast<std::size_t>(m_entryLevel)) {
                m_result.error = "nested more than " + std::to_string(JsonReader::kMaxDepth) + " levels deep";
                return false;
            }
            // Everything open inside the entry, the entry and this one.
            m_skipping = depth - static_cast<std::size_t>(m_entryLevel) + 1;
            std::string path;
            for(std::size_t level = 1; level <= static_cast<std::size_t>(m_entryLevel); ++level) {
                path += (level > 1 ? "/" : "") + m_levels[level].name;
            }
            m_result.leftOut.push_back(path);
            return true;
        }
        std::string name;
        if(depth > 0) {
            name = m_levels.back().value->is_array() ? std::to_string(m_levels.back().value->size()) : m_key;
        }
        Place(std::move(container));
        m_levels.push_back(Level{Last(), std::move(name)});
        return true;
    }

    bool Close()
    {
        if(m_skipping == 0) {
            if(m_levels.back().value->is_object()) {
                KeepLastOfRepeatedKeys(m_levels.back().value->get_ref<Json::object_t&>());
            }
            m_levels.pop_back();
            return true;
        }
        if(--m_skipping == 0) {
            LeaveOutEntry();
        }
        return true;
    }

    // The entry that held a value nested too deeply has closed: it is the
    // last of its parent's values.
    void LeaveOutEntry()
    {
        m_levels.resize(static_cast<std::size_t>(m_entryLevel));
        Json& parent = *m_levels.back().value;
        if(parent.is_array()) {
            parent.get_ref<Json::array_t&>().pop_back();
        } else {
            static_cast<Members&>(parent.get_ref<Json::object_t&>()).pop_back();
        }
    }

    static bool HasRepeatedKey(const Members& members)
    {
        const std::size_t count = members.size();
        if(count <= kCompareUpTo) {
            for(std::size_t i = 1; i < count; ++i) {
                for(std::size_t j = 0; j < i; ++j) {
                    if(members[i].first == members[j].first) {
                        return true;
                    }
                }
            }
            return false;
        }
        // Positions in an open-addressing table at most half full: one
        // allocation, and a probe seldom goes past its first slot.
        std::size_t slots = 1;
        while(slots < 2 * count) {
            slots <<= 1;
        }
        constexpr std::size_t kFree = SIZE_MAX;
        std::vector<std::size_t> table(slots, kFree);
        const std::hash<std::string_view> hash;
        for(std::size_t i = 0; i < count; ++i) {
            const std::string& key = members[i].first;
            std::size_t slot = hash(key) & (slots - 1);
            for(; table[slot] != kFree; slot = (slot + 1) & (slots - 1)) {
                if(members[table[slot]].first == key) {
                    return true;
                }
            }
            table[slot] = i;
        }
        return false;
    }

    // A repeated key keeps its first place and takes the last value, as the
    // library's own reader has it.
    static void KeepLastOfRepeatedKeys(Members& members)
    {
        if(!HasRepeatedKey(members)) {
            return;
        }
        std::unordered_map<std::string_view, std::size_t> place; // in `kept`
        Members kept;
        for(auto& [key, value] : members) {
            const auto [found, added] = place.emplace(key, kept.size());
            if(added) {
                kept.emplace_back(key, Json());
            }
            kept[found->second].second = std::move(value);
        }
        members.swap(kept);
    }

    JsonReader::Result& m_result;
    const int m_entryLevel;
    std::vector<Level> m_levels; // the open containers, outermost first
    std::string m_key;
    std::size_t m_skipping = 0; // containers still open inside an entry left out
};
} // namespace

JsonReader::Result JsonReader::Read(const std::string& text, int entryLevel)
{
    Result result;
    Builder builder(result, entryLevel);
    result.ok = Json::sax_parse(text, &builder);
    if(!result.ok) {
        result.document = Json();
        result.leftOut.clear();
        if(result.error.empty()) {
            result.error = "not JSON";
        }
    }
    return result;
}
