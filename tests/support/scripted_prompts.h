#pragma once
// Answers a file operation's questions from a script and records what it asked and reported.
#include "fileops/operation_prompts.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace testing_support {

class ScriptedPrompts final : public findlark::OperationPrompts {
public:
    std::deque<std::optional<std::wstring>> destinations;
    // Answers to "Are you sure ...", in turn; Yes when none is left.
    std::deque<bool> deleteAnswers;
    // Replies at each conflict, in turn; Cancel when none is left.
    std::deque<findlark::ConflictReply> replies;
    int deleteQuestions = 0;
    // Runs while "Are you sure ..." waits for its answer, as the user could meanwhile.
    std::function<void()> whileDeleteAsked;
    std::vector<std::wstring> conflicts;  // the names asked about
    std::vector<std::wstring> reports;

    std::optional<std::wstring> chooseDestination() override {
        if (destinations.empty()) return std::nullopt;
        auto destination = destinations.front();
        destinations.pop_front();
        return destination;
    }
    bool confirmDelete(bool) override {
        ++deleteQuestions;
        if (whileDeleteAsked) whileDeleteAsked();
        if (deleteAnswers.empty()) return true;
        const bool answer = deleteAnswers.front();
        deleteAnswers.pop_front();
        return answer;
    }
    findlark::ConflictReply askReplace(const findlark::Conflict& conflict) override {
        conflicts.push_back(conflict.item.name);
        if (replies.empty()) return {};
        auto reply = replies.front();
        replies.pop_front();
        return reply;
    }
    void reportFailures(const std::wstring& text) override { reports.push_back(text); }
};

}  // namespace testing_support
