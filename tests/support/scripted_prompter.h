#pragma once

#include <deque>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "core/prompter.h"

namespace quillet::testing {

struct ShownMessage {
    std::string text;
    unsigned type = 0;
    bool operator==(const ShownMessage&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const ShownMessage& message) {
    return out << '{' << message.text << ", 0x" << std::hex << message.type << std::dec << '}';
}

// Answers the run's prompts from a script and records every message box, so a test can check
// the exact sequence a person would have seen.
class ScriptedPrompter final : public Prompter {
public:
    explicit ScriptedPrompter(std::optional<std::string> savePath, std::deque<int> answers = {})
        : m_savePath(std::move(savePath)), m_answers(std::move(answers)) {}

    std::optional<std::string> PromptSavePath() override {
        ++m_savePrompts;
        return m_savePath;
    }

    int ShowMessageBox(std::string_view text, unsigned type) override {
        m_shown.push_back({std::string(text), type});
        if (m_answers.empty()) {
            return IDOK;
        }
        const int answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }

    [[nodiscard]] const std::vector<ShownMessage>& Shown() const { return m_shown; }
    [[nodiscard]] int SavePrompts() const { return m_savePrompts; }

private:
    std::optional<std::string> m_savePath;
    std::deque<int> m_answers;
    std::vector<ShownMessage> m_shown;
    int m_savePrompts = 0;
};

}  // namespace quillet::testing
