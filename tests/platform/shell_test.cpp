#include "platform/shell.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "support/recording_opener.h"
#include "support/temp_dir.h"

namespace {

// An opener that cannot be started answers false.
TEST(ShellTest, OpenerGetsTheAddressAsItsOnlyArgumentWithoutAShell) {
    TempDir dir;
    RecordingOpener opener(dir);
    const std::string url = "https://example.test/a b?x=1&y='2';$(false)";
    EXPECT_TRUE(sys::OpenInBrowser(url));
    EXPECT_EQ(opener.WaitForArgument(), url);
    setenv("PRIXEL_OPEN_COMMAND", dir.File("missing").c_str(), 1);
    EXPECT_FALSE(sys::OpenInBrowser("https://example.test/"));
}

TEST(ShellTest, XdgOpenFromThePathIsTheDefaultOpener) {
    TempDir dir;
    RecordingOpener opener(dir, "xdg-open");
    unsetenv("PRIXEL_OPEN_COMMAND");
    const std::string path = std::getenv("PATH");
    setenv("PATH", (dir.Path().string() + ":" + path).c_str(), 1);
    const bool started = sys::OpenInBrowser("https://example.test/");
    setenv("PATH", path.c_str(), 1);
    EXPECT_TRUE(started);
    EXPECT_EQ(opener.WaitForArgument(), "https://example.test/");
}

}  // namespace
