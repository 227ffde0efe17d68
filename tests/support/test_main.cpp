// The tests run on the headless components, composed once as the plug-in's module entry does.

#include <gtest/gtest.h>

#include "adapters/plugin_composition.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    adapters::ComposePlugin();
    return RUN_ALL_TESTS();
}
