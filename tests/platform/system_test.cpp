// The system services: the computer's name and the user's browser.

#include "platform/system.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <string_view>

#include "platform/shell.h"
#include "platform/text.h"
#include "support/recording_opener.h"
#include "support/temp_dir.h"

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

// An opener that cannot be started answers false.
TEST(SystemTest, OpenerGetsTheAddressAsItsOnlyArgumentWithoutAShell) {
    TempDir dir;
    RecordingOpener opener(dir);
    const std::string url = "https://example.test/a b?x=1&y='2';$(false)";
    EXPECT_TRUE(sys::OpenInBrowser(url));
    EXPECT_EQ(opener.WaitForArgument(), url);
    setenv("PRIXEL_OPEN_COMMAND", dir.File("missing").c_str(), 1);
    EXPECT_FALSE(sys::OpenInBrowser("https://example.test/"));
}

}  // namespace
