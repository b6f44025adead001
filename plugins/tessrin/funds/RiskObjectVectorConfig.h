#pragma once

#include "funds/RiskObject.h"

#include <pelmora/SerializedObject.h>

// The rules of one login as stored: nested objects under "0", "1", ... in
// list order, no count. Reading stops at the first missing index.
class RiskObjectVectorConfig : public SerializedObject
{
public:
    RiskObjectVectorConfig() = default;
    explicit RiskObjectVectorConfig(RiskObjectVec rules) : m_rules(std::move(rules)) {}

    void Serialize(Archive& arch) override;
    void DeSerialize(Archive& arch) override;

    const RiskObjectVec& GetRules() const { return m_rules; }

private:
    RiskObjectVec m_rules;
};
