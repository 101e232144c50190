// Entry of the Windows test executables: the same platform set-up as the program.
#include "win/platform_init.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    const win::PlatformInit platform;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
