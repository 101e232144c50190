#pragma once
// What Findlark is started with: folders to search, a search options file to load, and "/search"
// to start at once ("findlark.exe [FOLDER ...] [FILE.flk] [/search]").
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace findlark {

struct CommandLine {
    std::vector<std::wstring> folders;
    std::optional<std::wstring> optionsFile;
    bool search = false;
};

enum class PathKind { Missing, Folder, File };

// The arguments after the program's name; `kindOf` says what a path names. An argument that is
// none of these gives the message that says what is wrong with it.
struct ParsedCommandLine {
    CommandLine line;
    std::optional<std::wstring> error;
};
ParsedCommandLine ParseCommandLine(const std::vector<std::wstring>& arguments,
                                   const std::function<PathKind(const std::wstring&)>& kindOf);

// What a hand-over carries at the most; a larger one is ignored.
inline constexpr std::size_t kMaxHandedArguments = 64;
inline constexpr std::size_t kMaxArgumentLength = 32767;
inline constexpr std::size_t kMaxHandedBytes = kMaxHandedArguments * (kMaxArgumentLength + 1) * sizeof(wchar_t);
bool WithinHandOverBounds(const std::vector<std::wstring>& arguments);

// An argument as the shell's verbs pass it: a drive root quoted as "C:" reaches the program as `C:"`
// (the backslash read as escaping the quote); the quote goes and the root is whole again.
std::wstring RepairedArgument(std::wstring argument);

// The arguments packed for another copy of the program (each ended by a zero), and back.
std::wstring PackArguments(const std::vector<std::wstring>& arguments);
std::vector<std::wstring> UnpackArguments(std::wstring_view packed);

}  // namespace findlark
