#include "connection/prixel_settings.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>

#include "host/paths.h"
#include "platform/profile.h"
#include "support/temp_dir.h"

namespace {

class PrixelSettingsTest : public testing::Test {
  protected:
    void SetUp() override { CParPath::sCurrentPath = m_dir.Folder(); }
    void TearDown() override { CParPath::sCurrentPath.clear(); }

    std::string Stored(const char* key) {
        return profile::GetString(PrixelIniPath(), "PrixelCustomerKey", key, "<absent>");
    }
    void Store(const char* key, const std::string& value) {
        ASSERT_TRUE(profile::WriteString(PrixelIniPath(), "PrixelCustomerKey", key, value));
    }

    TempDir m_dir;
};

// Only the computer's name is read at construction; a header fills the fields it has, leaves the
// others as they were and saves all but the computer's name.
TEST_F(PrixelSettingsTest, HeaderFillsTheFieldsItHasAndSavesAllButTheComputerName) {
    CPrixelSettings settings;
    settings.m_strComputerName = "PC";
    EXPECT_EQ(settings.GetIdentity(), ":PC::");
    const std::array<const char*, 3> headers[] = {
        {"!!C1:POSTE1:srv:R1", "C1:POSTE1:srv:R1", "C1:srv:R1"},
        {"C2", "C2:POSTE1:srv:R1", "C2:srv:R1"},
        {"C4:PC2:srv2:R2:extra:more", "C4:PC2:srv2:R2", "C4:srv2:R2"},
    };
    for (const auto& [header, identity, saved] : headers) {
        settings.SetFromHeader(header);
        EXPECT_EQ(settings.GetIdentity(), identity) << header;
        EXPECT_EQ(
            Stored("CustomerNumber") + ":" + Stored("ServerAddr") + ":" + Stored("RightsString"),
            saved)
            << header;
    }
    EXPECT_EQ(Stored("ComputerName"), "<absent>");
}

// Without Prixel.ini the recording goes to the default host.
TEST_F(PrixelSettingsTest, ResetForRecordingDropsOnlyTheAlternateHost) {
    CPrixelSettings settings;
    settings.ResetForRecording();
    EXPECT_EQ(settings.m_strServerAddr, PRIXEL_DEFAULT_HOST);

    Store("ServerAddr", PRIXEL_ALTERNATE_HOST);
    settings.ResetForRecording();
    EXPECT_EQ(settings.m_strServerAddr, "");

    Store("ServerAddr", "127.0.0.1:8443");
    settings.ResetForRecording();
    EXPECT_EQ(settings.m_strServerAddr, "127.0.0.1:8443");
}

TEST_F(PrixelSettingsTest, NavigateTimeoutReadsTheLeadingInteger) {
    EXPECT_EQ(GetNavigateTimeout(), 10000);
    const std::pair<const char*, int> cases[] = {
        {"abc", 10000}, {"  250ms", 250}, {"99999999999", INT_MAX}};
    for (const auto& [value, expected] : cases) {
        Store("NavigateTimeout", value);
        EXPECT_EQ(GetNavigateTimeout(), expected) << '"' << value << '"';
    }
}

}  // namespace
