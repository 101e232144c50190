#pragma once
// The two guards that keep a second copy of the program from running.
#include "win/handle.h"

#include <string>
#include <string_view>

namespace findlark {

// The application's default title: the executable's file name without its folder, cut at its first
// dot, every character after the first in lower case ("Findlark.EXE" gives "Findlark").
std::wstring DefaultTitle(std::wstring_view executablePath);

// False while another copy is inside this very check (the named mutexes are let go at once).
bool OneInstanceCheck();

// The named event of the running copy: made signalled by the first copy, whose wait takes the signal
// and keeps it; any later copy finds it unsignalled. The running copy keeps the handle for as long as
// it runs, so the event stays in being, unsignalled.
struct InstanceEvent {
    win::UniqueKernelHandle handle;
    bool first = false;
};
InstanceEvent OpenInstanceEvent(const wchar_t* name);

}  // namespace findlark
