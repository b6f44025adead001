#pragma once

#include "common/UnreadableEntries.h"
#include "risk/RiskObject.h"

#include <pelmora/SerializedObject.h>

// The rules of one login as stored: nested objects under "0", "1", ... in
// list order, no count. Reading stops at the first missing index. A rule
// that cannot be read, and whatever lies past the gap, is kept aside with
// the list (UnreadableEntries), never dropped.
class RiskObjectVectorConfig : public SerializedObject
{
public:
    RiskObjectVectorConfig() = default;
    explicit RiskObjectVectorConfig(RiskObjectVec rules, UnreadableEntries unreadable = UnreadableEntries())
        : m_rules(std::move(rules)), m_unreadable(std::move(unreadable))
    {}

    void Serialize(Archive& arch) override;
    void DeSerialize(Archive& arch) override;

    const RiskObjectVec& GetRules() const { return m_rules; }
    const UnreadableEntries& GetUnreadable() const { return m_unreadable; }

private:
    RiskObjectVec m_rules;
    UnreadableEntries m_unreadable;
};
