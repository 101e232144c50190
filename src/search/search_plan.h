#pragma once
// What a run derives from its criteria before the walk starts.
#include "model/search_criteria.h"

#include <string>

namespace findlark {

// The pattern handed to the platform's enumeration: the name box's text when the name criterion
// is on and the text is not empty, otherwise "*.*".
std::wstring EffectiveMask(const SearchCriteria& criteria);

// Whether the platform's enumeration offers every entry for this pattern ("*" and "*.*" do).
bool MaskMatchesEverything(const std::wstring& mask);

// The documents folder as a root: without a trailing separator (an empty path stays empty).
std::wstring DocumentsRoot(std::wstring folder);

// The path to hand to calls about the folder itself (attributes, opening it). A drive root is walked
// as "C:", which those calls read as the current folder of drive C, so it gets its separator back.
std::wstring FolderQueryPath(const std::wstring& folder);

}  // namespace findlark
