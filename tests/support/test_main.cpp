// The tests run on the headless components, composed once as the plug-in's module entry does. The
// test program is the plug-in's host here: like any host application it seeds the runtime's
// generator once at start; tests that depend on the codes drawn seed it themselves.

#include <gtest/gtest.h>

#include <random>

#include "adapters/plugin_composition.h"
#include "platform/system.h"

int main(int argc, char** argv) {
    sys::SeedRand(std::random_device{}());
    testing::InitGoogleTest(&argc, argv);
    adapters::ComposePlugin();
    return RUN_ALL_TESTS();
}
