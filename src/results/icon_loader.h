#pragma once
// Icons that live in files (programs, shortcuts, icon files, cursors), fetched on a thread of their
// own: painting a row never waits for a disk or a share that does not answer. Answers come back on
// the UI thread through `delivered`; closing never waits long for a fetch that hangs.
#include "win/ui_callback.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace findlark {

class IconLoader {
public:
    // `fetch` gives the system image list's index of a file's icon; it runs on the loader's thread.
    using Fetch = std::function<int(const std::wstring& path)>;
    IconLoader(Fetch fetch, std::function<void()> delivered);
    ~IconLoader();
    IconLoader(const IconLoader&) = delete;
    IconLoader& operator=(const IconLoader&) = delete;

    void request(std::uint64_t key, std::wstring path);
    // The answers since the last call: key and icon index.
    std::vector<std::pair<std::uint64_t, int>> takeAnswers();

private:
    // Shared with the thread, which may outlive the loader while a fetch hangs.
    struct State {
        std::mutex mutex;
        std::condition_variable changed;
        std::deque<std::pair<std::uint64_t, std::wstring>> requests;
        std::vector<std::pair<std::uint64_t, int>> answers;
        HWND target = nullptr;  // cleared when the loader goes
        bool posted = false;    // a delivery is on its way
        bool stopping = false;
        bool finished = false;
        Fetch fetch;
    };
    static void run(const std::shared_ptr<State>& state) noexcept;
    static void serve(State& state);

    std::shared_ptr<State> state_;
    win::UiCallback callback_;
    bool started_ = false;
};

}  // namespace findlark
