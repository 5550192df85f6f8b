#pragma once

#include <cctype>
#include <string>

namespace quillet::testing {

// Names a parameterised case after its scenario text, as GoogleTest wants: letters, digits, '_'.
struct ScenarioName {
    template <typename ParamInfo>
    std::string operator()(const ParamInfo& info) const {
        std::string name;
        for (const char ch : std::string(info.param.scenario)) {
            name += std::isalnum(static_cast<unsigned char>(ch)) != 0 ? ch : '_';
        }
        return name;
    }
};

}  // namespace quillet::testing
