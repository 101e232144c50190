#pragma once
// What a file operation asks the user and tells them, and how it shows its progress: the operation's
// only ways to the user, so that it runs without a window and tests answer in the user's place.
#include "fileops/copy_decisions.h"
#include "fileops/operation_item.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace findlark {

// An item meets an existing one of its name in the destination.
struct Conflict {
    const OperationItem& item;      // the incoming item, as its row shows it
    std::wstring destination;       // the chosen folder with its final "\"
    std::int64_t existingSize = 0;  // as its directory entry reports it; a folder reports 0
    std::uint64_t existingWritten = 0;  // its last-write time, UTC, in file-time units
    bool folders = false;               // both are folders: a Yes merges them
};

struct ConflictReply {
    ConfirmAnswer answer = ConfirmAnswer::Cancel;
    std::wstring newName;  // with Rename: the free name the copy takes in the destination
};

class OperationPrompts {
public:
    virtual ~OperationPrompts() = default;
    // The folder to copy or move the items to; nothing when the user cancelled.
    virtual std::optional<std::wstring> chooseDestination() = 0;
    // "Are you sure you want to delete this item(s)?": true for Yes. `forGood`: the user chose to delete
    // for good what would otherwise go to the Recycle Bin (Shift+Del), and the question says so.
    virtual bool confirmDelete(bool forGood) = 0;
    // "Confirm File Replace"; a new name given with Rename is free in the destination.
    virtual ConflictReply askReplace(const Conflict& conflict) = 0;
    // The items that did not go through, in one message; not called when everything did.
    virtual void reportFailures(const std::wstring& text) = 0;
};

class OperationProgress {
public:
    virtual ~OperationProgress() = default;
    // A phase begins: "Copying", "Moving" or "Deleting".
    virtual void begin(std::wstring_view caption) = 0;
    // Adds to what the phase has to do.
    virtual void addWork(std::size_t items, std::uint64_t bytes) = 0;
    // The item or file in hand.
    virtual void working(std::wstring_view path) = 0;
    // Work done since the last call. Called often, also with nothing done, to keep the window alive.
    virtual void advance(std::size_t items, std::uint64_t bytes) = 0;
    // Whether the user asked to stop; the operation stops after the file in hand.
    virtual bool cancelled() = 0;
    virtual void end() = 0;
};

}  // namespace findlark
