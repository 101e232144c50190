#pragma once
// Dates and times in the user's regional formats: the short date and the long time, written by the
// system and read back by the same formats.
#include "criteria/options_file.h"

namespace findlark {

DateTimeTexts RegionalDateTimeTexts();

}  // namespace findlark
