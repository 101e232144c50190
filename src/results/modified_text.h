#pragma once
// How the "Date Modified" column and the confirm-replace dialog write a modification time.
#include "model/date_time.h"

#include <string>

namespace findlark {

// The short date, a space and the long time, in the user's formats; the date alone at midnight.
std::wstring FormatDateText(DateTime local);

}  // namespace findlark
