// The libFuzzer entry of one target, chosen when compiling (FUZZ_TARGET).
#include "fuzz_targets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) { return FUZZ_TARGET(data, size); }
