#pragma once

// Stand-ins for the windows a person answers: pickers, message boxes and the help engine
// record what they were asked and answer from a script, so a test never waits for a window.

#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/prompter.h"
#include "platform/qt/file_dialog.h"
#include "platform/qt/help.h"
#include "platform/qt/message_box.h"

namespace quillet::testing {

class FakePickers final : public FilePickerService {
public:
    std::optional<std::string> Pick(const FileDialogRequest& request) override {
        requests.push_back(request);
        if (answers.empty()) {
            return std::nullopt;
        }
        std::optional<std::string> answer = std::move(answers.front());
        answers.pop_front();
        return answer;
    }
    [[nodiscard]] int Count(FileDialogRequest::Kind kind) const {
        int count = 0;
        for (const FileDialogRequest& request : requests) {
            count += request.kind == kind ? 1 : 0;
        }
        return count;
    }

    std::deque<std::optional<std::string>> answers;
    std::vector<FileDialogRequest> requests;
};

class FakeMessageBoxes final : public MessageBoxPresenter {
public:
    int Present(const MessageBoxRequest& request) override {
        shown.push_back(request);
        if (answers.empty()) {
            return IDOK;
        }
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::deque<int> answers;
    std::vector<MessageBoxRequest> shown;
};

class FakeHelpViewer final : public HelpViewer {
public:
    bool ShowHelp(const std::string& helpFilePath, unsigned context) override {
        calls.emplace_back(helpFilePath, context);
        return starts;
    }

    bool starts = true;
    std::vector<std::pair<std::string, unsigned>> calls;
};

// Installs the fakes in an application object and keeps pointers to them.
struct Fakes {
    template <typename App>
    explicit Fakes(App& app) {
        auto pickerFake = std::make_unique<FakePickers>();
        auto boxFake = std::make_unique<FakeMessageBoxes>();
        auto helpFake = std::make_unique<FakeHelpViewer>();
        pickers = pickerFake.get();
        boxes = boxFake.get();
        help = helpFake.get();
        app.SetFilePickers(std::move(pickerFake));
        app.SetMessageBoxPresenter(std::move(boxFake));
        app.SetHelpViewer(std::move(helpFake));
    }

    FakePickers* pickers;
    FakeMessageBoxes* boxes;
    FakeHelpViewer* help;
};

}  // namespace quillet::testing
