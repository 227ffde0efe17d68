#include "platform/system.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <string_view>

#include "platform/text.h"

namespace {

TEST(SystemTest, ComputerNameIsTheHostsFirstLabelInUpperCase) {
    char host[HOST_NAME_MAX + 1] = {};
    ASSERT_EQ(gethostname(host, sizeof host - 1), 0);
    const std::string_view label =
        std::string_view(host).substr(0, std::string_view(host).find('.'));
    const auto name = sys::GetComputerName();
    ASSERT_TRUE(name);
    EXPECT_LE(name->size(), 15u);
    EXPECT_EQ(*name, text::MakeUpper(label.substr(0, 15)));
}

}  // namespace
