#include "app/command_line.h"

#include "model/ascii_case.h"

namespace findlark {
namespace {

bool IsOptionsFileName(std::wstring_view path) {
    return path.size() > 4 && EqualsAsciiUpper(path.substr(path.size() - 4), L".FLK");
}

}  // namespace

ParsedCommandLine ParseCommandLine(const std::vector<std::wstring>& arguments,
                                   const std::function<PathKind(const std::wstring&)>& kindOf) {
    ParsedCommandLine parsed;
    const auto fail = [&parsed](std::wstring message) {
        parsed.error = std::move(message);
        return parsed;
    };
    for (const std::wstring& argument : arguments) {
        if (argument.empty()) continue;
        if (argument[0] == L'/') {
            if (!EqualsAsciiUpper(argument, L"/SEARCH"))
                return fail(L"\"" + argument + L"\" is not an option Findlark knows. Start it with folders to search, "
                            L"a search options file (.flk) and /search to start the search at once.");
            parsed.line.search = true;
            continue;
        }
        const PathKind kind = kindOf(argument);
        if (kind == PathKind::Folder) {
            parsed.line.folders.push_back(argument);
        } else if (kind == PathKind::File && IsOptionsFileName(argument)) {
            if (parsed.line.optionsFile) return fail(L"Findlark can load one search options file at a time.");
            parsed.line.optionsFile = argument;
        } else if (kind == PathKind::File) {
            return fail(L"\"" + argument + L"\" is neither a folder nor a search options file (.flk).");
        } else {
            return fail(L"The folder or file \"" + argument + L"\" does not exist.");
        }
    }
    return parsed;
}

bool WithinHandOverBounds(const std::vector<std::wstring>& arguments) {
    if (arguments.size() > kMaxHandedArguments) return false;
    for (const std::wstring& argument : arguments) {
        if (argument.size() > kMaxArgumentLength) return false;
    }
    return true;
}

std::wstring RepairedArgument(std::wstring argument) {
    while (!argument.empty() && argument.back() == L'"') argument.pop_back();
    if (argument.size() == 2 && argument[1] == L':' && AsciiUpper(argument[0]) >= L'A' && AsciiUpper(argument[0]) <= L'Z')
        argument += L'\\';
    return argument;
}

std::wstring PackArguments(const std::vector<std::wstring>& arguments) {
    std::wstring packed;
    for (const std::wstring& argument : arguments) {
        packed += argument;
        packed += L'\0';
    }
    return packed;
}

std::vector<std::wstring> UnpackArguments(std::wstring_view packed) {
    std::vector<std::wstring> arguments;
    for (std::size_t start = 0; start < packed.size();) {
        const std::size_t end = packed.find(L'\0', start);
        if (end == std::wstring_view::npos) {
            arguments.emplace_back(packed.substr(start));
            break;
        }
        arguments.emplace_back(packed.substr(start, end - start));
        start = end + 1;
    }
    return arguments;
}

}  // namespace findlark
