#pragma once
// A progress display for file operations that records what it was told and asks to cancel when a
// test says so.
#include "fileops/operation_prompts.h"

#include <optional>
#include <string>
#include <vector>

namespace testing_support {

class ScriptedProgress final : public findlark::OperationProgress {
public:
    std::vector<std::wstring> phases;
    std::vector<std::wstring> worked;
    std::size_t itemsDone = 0, itemsTotal = 0;
    std::uint64_t bytesDone = 0, bytesTotal = 0;
    int ended = 0;
    // Asks to cancel once this many items of a phase are done.
    std::optional<std::size_t> cancelAfterItems;

    void begin(std::wstring_view caption) override {
        phases.emplace_back(caption);
        itemsDone = itemsTotal = 0;
        bytesDone = bytesTotal = 0;
    }
    void addWork(std::size_t items, std::uint64_t bytes) override {
        itemsTotal += items;
        bytesTotal += bytes;
    }
    void working(std::wstring_view path) override { worked.emplace_back(path); }
    void advance(std::size_t items, std::uint64_t bytes) override {
        itemsDone += items;
        bytesDone += bytes;
    }
    bool cancelled() override { return cancelAfterItems && itemsDone >= *cancelAfterItems; }
    void end() override { ++ended; }
};

}  // namespace testing_support
