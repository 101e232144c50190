// Content benchmark: a bare single-threaded search of every file of a text tree (each mapped whole,
// the phrase found by memchr and memcmp) against Findlark's content search for a phrase near the end
// of each file through the real worker, with its readers and with the walk's thread alone, for ANSI
// text in large and in small files and for UTF-16LE text; then how long Stop takes while a run reads
// three files of more than 1 GiB without a zero byte. The phrase as a regular expression with more
// after it, and as a whole word, are timed against the plain phrase on the ANSI text.
// Usage: content_bench.exe FOLDER PHRASE, FOLDER holding "text", "small", "utf16" and "huge"
#include "app/form_main.h"
#include "settings/registry_store.h"
#include "bench_support.h"
#include "win/platform_init.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

using bench::Clock;
using bench::Seconds;
using bench::BareSearch;
using bench::FilesOf;

findlark::SearchCriteria ContentCriteria(const std::wstring& folder, const std::wstring& phrase) {
    findlark::SearchCriteria c = bench::FolderCriteria(folder);
    c.ContainingText = true;
    c.ContainingText0 = phrase;
    return c;
}

void RunToEnd(findlark::TFormMain& form) {
    form.BitBtnSearch.click();
    MSG message{};
    while (form.searchState() == findlark::SearchState::Running && ::GetMessageW(&message, nullptr, 0, 0) > 0)
        win::DispatchAppMessage(message);
}

struct Timing {
    Clock::duration bare = Clock::duration::max(), findlark = Clock::duration::max(), alone = Clock::duration::max();
    unsigned long long bytes = 0;
    std::size_t files = 0;
    int found = 0, bareFound = 0;
};

// How many readers the next runs get; 0: the walk's thread reads.
unsigned gReaders = findlark::DefaultContentReaders();

findlark::RunLauncher ReadersLauncher() {
    return [](findlark::SearchRequest request, std::shared_ptr<findlark::RunChannel> channel) {
        request.contentReaders = gReaders;
        return findlark::WorkerLauncher()(std::move(request), std::move(channel));
    };
}

// How the phrase is taken.
struct Way {
    bool matchCase = true, regular = false, wholeWords = false;
};

// The best of three rounds each, after a round that warms the cache; the bare search and the two
// ways of Findlark take turns.
Timing Measure(findlark::TFormMain& form, const std::wstring& folder, const std::wstring& phrase, const std::string& needle,
               Way way) {
    Timing timing;
    const std::vector<std::wstring> files = FilesOf(folder);
    timing.files = files.size();
    const bool utf16 = needle.size() > 1 && needle[1] == '\0';
    BareSearch(files, needle, utf16, timing.bytes);
    findlark::SearchCriteria criteria = ContentCriteria(folder, phrase);
    criteria.MatchCase = way.matchCase;
    criteria.PhrasesAreRegularExpressions = way.regular;
    criteria.PhrasesAreWholeWords = way.wholeWords;
    form.Criteria.apply(criteria);
    const auto timed = [&](Clock::duration& best, auto&& work) {
        const auto start = Clock::now();
        work();
        best = std::min(best, Clock::now() - start);
    };
    for (int round = 0; round < 3; ++round) {
        timed(timing.bare, [&] { timing.bareFound = BareSearch(files, needle, utf16, timing.bytes); });
        gReaders = findlark::DefaultContentReaders();
        timed(timing.findlark, [&] { RunToEnd(form); });
        timing.found = form.Results.count();
        gReaders = 0;
        timed(timing.alone, [&] { RunToEnd(form); });
        timing.found = std::min(timing.found, form.Results.count());
    }
    gReaders = findlark::DefaultContentReaders();
    return timing;
}

void Report(const char* what, const Timing& t) {
    std::printf("%s: %zu files, %.0f MiB\n", what, t.files, t.bytes / 1048576.0);
    std::printf("  bare map + memchr:       %.3f s (%.0f MiB/s, %d files found)\n", Seconds(t.bare),
                t.bytes / 1048576.0 / Seconds(t.bare), t.bareFound);
    std::printf("  Findlark, %u readers:    %.3f s (ratio %.2f, %d files found)\n", findlark::DefaultContentReaders(),
                Seconds(t.findlark), Seconds(t.findlark) / Seconds(t.bare), t.found);
    std::printf("  Findlark, walk's thread: %.3f s (ratio %.2f)\n", Seconds(t.alone), Seconds(t.alone) / Seconds(t.bare));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fputs("usage: content_bench FOLDER PHRASE\n", stderr);
        return 2;
    }
    const win::PlatformInit platform;
    const std::wstring root = argv[1];
    const std::wstring phrase = argv[2];
    const std::string ansi(phrase.begin(), phrase.end());  // the phrase is ASCII
    std::string utf16;
    for (const wchar_t c : phrase) utf16 += std::string{static_cast<char>(c), '\0'};

    win::SystemInteraction interaction;
    findlark::RegistryStore settings(bench::kSettingsKey);
    findlark::TFormMain form({interaction, settings, ReadersLauncher(), nullptr});
    const Timing ansiText = Measure(form, root + L"\\text", phrase, ansi, {});
    const Timing smallFiles = Measure(form, root + L"\\small", phrase, ansi, {});
    const Timing utf16Text = Measure(form, root + L"\\utf16", phrase, utf16, {});
    const Timing utf16Folded = Measure(form, root + L"\\utf16", phrase, utf16, {false});
    const std::wstring expression = phrase + L"\\s+\\w+";
    const Timing ansiRegex = Measure(form, root + L"\\text", expression, ansi, {true, true});
    const Timing smallRegex = Measure(form, root + L"\\small", expression, ansi, {true, true});
    const Timing ansiWords = Measure(form, root + L"\\text", phrase, ansi, {true, false, true});

    // Stop while the readers are inside the huge files.
    form.Criteria.apply(ContentCriteria(root + L"\\huge", phrase));
    form.BitBtnSearch.click();
    ::Sleep(300);
    const auto stopAt = Clock::now();
    form.BitBtnSearch.click();
    const bool ended = form.session().waitForStoppedWorkers(std::chrono::seconds(30));
    const auto stopTook = Clock::now() - stopAt;

    Report("ANSI text", ansiText);
    Report("ANSI text in small files", smallFiles);
    Report("UTF-16LE text", utf16Text);
    Report("UTF-16LE text without \"Match case\"", utf16Folded);
    const std::string shown(expression.begin(), expression.end());
    Report(("ANSI text, regular expression \"" + shown + "\"").c_str(), ansiRegex);
    std::printf("  against the plain phrase: %.2f (readers), %.2f (walk's thread)\n",
                Seconds(ansiRegex.findlark) / Seconds(ansiText.findlark), Seconds(ansiRegex.alone) / Seconds(ansiText.alone));
    Report(("ANSI text in small files, regular expression \"" + shown + "\"").c_str(), smallRegex);
    std::printf("  against the plain phrase: %.2f (readers), %.2f (walk's thread)\n",
                Seconds(smallRegex.findlark) / Seconds(smallFiles.findlark), Seconds(smallRegex.alone) / Seconds(smallFiles.alone));
    Report("ANSI text, whole words", ansiWords);
    std::printf("  against the plain phrase: %.2f (readers), %.2f (walk's thread)\n",
                Seconds(ansiWords.findlark) / Seconds(ansiText.findlark), Seconds(ansiWords.alone) / Seconds(ansiText.alone));
    std::printf("stop inside three huge files: %.1f ms%s\n", Seconds(stopTook) * 1000, ended ? "" : " (not ended!)");
    bool allFound = true;
    for (const Timing* t : {&ansiText, &smallFiles, &utf16Text, &utf16Folded, &ansiRegex, &smallRegex, &ansiWords})
        allFound = allFound && t->found == static_cast<int>(t->files) && t->bareFound == static_cast<int>(t->files);
    return allFound && ended ? 0 : 1;
}
