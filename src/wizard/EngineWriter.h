#pragma once

#include "params/ParameterWrites.h"
#include "wizard/AdaptationEngine.h"

namespace dravinor::wizard {

// The wizard's byte writes, noted as the wizard notes them.
class AdaptationEngine::Writer final : public params::ByteWriter {
public:
    explicit Writer(AdaptationEngine& engine) : engine_(engine) {}

    bool write(params::Address address, std::uint8_t value) override { return engine_.writeParameter(address, value); }

private:
    AdaptationEngine& engine_;
};

// Records the writes made while it lives as its group's, the group's
// earlier writes forgotten (a setting written again counts as written last).
class AdaptationEngine::GroupScope {
public:
    GroupScope(AdaptationEngine& engine, WriteGroup group) : engine_(engine), previous_(engine.writingFor_)
    {
        engine.groupWrites_[group] = {};
        engine.writingFor_ = group;
    }
    ~GroupScope() { engine_.writingFor_ = previous_; }
    GroupScope(const GroupScope&) = delete;
    GroupScope& operator=(const GroupScope&) = delete;

private:
    AdaptationEngine& engine_;
    std::optional<WriteGroup> previous_;
};

}  // namespace dravinor::wizard
