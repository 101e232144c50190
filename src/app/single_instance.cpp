#include "app/single_instance.h"


namespace findlark {

std::wstring DefaultTitle(std::wstring_view path) {
    const auto slash = path.find_last_of(L"\\/");
    std::wstring title(slash == std::wstring_view::npos ? path : path.substr(slash + 1));
    title = title.substr(0, title.find(L'.'));
    for (std::size_t i = 1; i < title.size(); ++i) {
        if (title[i] >= L'A' && title[i] <= L'Z') title[i] = static_cast<wchar_t>(title[i] - L'A' + L'a');
    }
    return title;
}

bool OneInstanceCheck() {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring title = DefaultTitle(path);
    const win::UniqueKernelHandle critical(::CreateMutexW(nullptr, TRUE, (title + L".OneInstance32.CriticalSection").c_str()));
    const win::UniqueKernelHandle running(::CreateMutexW(nullptr, FALSE, (title + L"OneInstance32.Default").c_str()));
    const bool mayStart = !running || ::WaitForSingleObject(running.get(), 0) != WAIT_TIMEOUT;
    if (critical) ::ReleaseMutex(critical.get());
    if (running) ::ReleaseMutex(running.get());  // fails harmlessly when this process does not own it
    return mayStart;
}

InstanceEvent OpenInstanceEvent(const wchar_t* name) {
    InstanceEvent event;
    event.handle.reset(::CreateEventW(nullptr, FALSE, TRUE, name));
    event.first = event.handle && ::WaitForSingleObject(event.handle.get(), 10) == WAIT_OBJECT_0;
    return event;
}

}  // namespace findlark
