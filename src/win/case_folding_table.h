#pragma once
// The platform's capitals, by which text is compared when case does not matter.
#include "model/case_folding.h"

namespace findlark {

// The platform's capitals of every code unit and ANSI byte, made once.
const CaseFolding& PlatformCaseFolding();

}  // namespace findlark
