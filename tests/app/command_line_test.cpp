#include "app/command_line.h"

#include <gtest/gtest.h>

#include <map>

namespace findlark {
namespace {

const std::map<std::wstring, PathKind> kPaths = {
    {L"C:\\work", PathKind::Folder}, {L"D:\\", PathKind::Folder}, {L"C:\\saved.FLK", PathKind::File},
    {L"C:\\other.flk", PathKind::File}, {L"C:\\notes.txt", PathKind::File}, {L"C:\\folder.flk", PathKind::Folder}};

ParsedCommandLine Parse(std::vector<std::wstring> arguments) {
    return ParseCommandLine(arguments, [](const std::wstring& path) {
        const auto found = kPaths.find(path);
        return found == kPaths.end() ? PathKind::Missing : found->second;
    });
}

TEST(CommandLine, FoldersAnOptionsFileAndSearchInAnyOrder) {
    const ParsedCommandLine parsed = Parse({L"/Search", L"C:\\work", L"C:\\saved.FLK", L"D:\\", L"C:\\folder.flk"});
    ASSERT_FALSE(parsed.error);
    EXPECT_EQ(parsed.line.folders, (std::vector<std::wstring>{L"C:\\work", L"D:\\", L"C:\\folder.flk"}));
    EXPECT_EQ(parsed.line.optionsFile, L"C:\\saved.FLK");
    EXPECT_TRUE(parsed.line.search);
    EXPECT_FALSE(Parse({}).error);
    EXPECT_FALSE(Parse({L"C:\\work"}).line.search);
}

TEST(CommandLine, EachBadArgumentIsNamedInItsMessage) {
    const std::pair<std::vector<std::wstring>, std::wstring> bad[] = {
        {{L"C:\\work", L"C:\\gone"}, L"\"C:\\gone\" does not exist"},
        {{L"C:\\notes.txt"}, L"\"C:\\notes.txt\" is neither a folder nor a search options file"},
        {{L"/s"}, L"\"/s\" is not an option"},
        {{L"C:\\saved.FLK", L"C:\\other.flk"}, L"one search options file at a time"},
    };
    for (const auto& [arguments, expected] : bad) {
        const ParsedCommandLine parsed = Parse(arguments);
        ASSERT_TRUE(parsed.error);
        EXPECT_NE(parsed.error->find(expected), std::wstring::npos) << std::string(expected.begin(), expected.end());
    }
}

TEST(CommandLine, ArgumentsSurviveTheHandOverWhole) {
    const std::vector<std::wstring> arguments{L"C:\\Влад\\日本", L"", L"/search", L"x y"};
    EXPECT_EQ(UnpackArguments(PackArguments(arguments)), arguments);
    EXPECT_TRUE(UnpackArguments(L"").empty());
    EXPECT_EQ(UnpackArguments(std::wstring_view(L"a\0b", 3)), (std::vector<std::wstring>{L"a", L"b"}));

    // Bounds: 64 arguments of 32,767 characters at the most.
    EXPECT_TRUE(WithinHandOverBounds(std::vector<std::wstring>(64, std::wstring(32767, L'x'))));
    EXPECT_FALSE(WithinHandOverBounds(std::vector<std::wstring>(65, L"x")));
    EXPECT_FALSE(WithinHandOverBounds({std::wstring(32768, L'x')}));
}

// A verb registered as "%1" gives `C:"` for the root of C: (the backslash escapes the quote).
TEST(CommandLine, ADriveRootPassedByAVerbArrivesWhole) {
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"C:\"", L"C:\\"}, {L"d:", L"d:\\"}, {L"C:\\", L"C:\\"}, {L"C:\\dir\"", L"C:\\dir"}, {L"/search", L"/search"}, {L"1:", L"1:"}};
    for (const auto& [given, repaired] : cases) EXPECT_EQ(RepairedArgument(given), repaired);
}

}  // namespace
}  // namespace findlark
