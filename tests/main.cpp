// The test program is the plug-in's host here: like any host application it seeds the runtime's
// generator once at start. Tests that depend on the codes drawn seed it themselves.

#include <gtest/gtest.h>

#include <random>

#include "platform/system.h"

int main(int argc, char** argv) {
    sys::SeedRand(std::random_device{}());
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
