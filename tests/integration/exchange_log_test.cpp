// A failed exchange of the host program on the desktop is silent for the user, and the company's
// diagnostic log tells why, in what WebKit said.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "integration/host_service_fixture.h"
#include "platform/text.h"
#include "support/log_lines.h"
#include "support/quiet_port.h"
#include "support/virtual_display.h"

namespace {

class ExchangeLogTest : public HostServiceTest {
  protected:
    // Runs the customer recording on the desktop with a certificate authority of nothing, or
    // towards a port where nothing listens.
    void RecordingThatFails(bool refused) {
        std::string command = HostCommand("--gui record") + " >/dev/null 2>&1";
        if (refused) {
            command = text::Replace(command, "127.0.0.1:" + std::to_string(m_service.Port()),
                                    "127.0.0.1:" + std::to_string(m_closed.Port()));
        } else {
            command = text::Replace(command, m_service.CaFile(), "/dev/null");
        }
        CommandOutput(command);
    }
    std::vector<std::string> Log() const { return LogLines(m_company + "/"); }

    QuietPort m_closed{false};
};

const std::string kRecording = "Échange de type 8 en échec : ";
const std::string kRecordingAddress =
    " ; adresse : "
    "https://localhost/awp/Varneloawp.awp?COMMANDE=1:2:8.0.0.1_Varneloawp_PAGE_EC1_*__*:"
    "SOC";

// A line of the log about the recording: its cause begins with cause.
testing::Matcher<std::string> RecordingLine(const std::string& cause) {
    return testing::AllOf(testing::StartsWith(kRecording + cause),
                          testing::EndsWith(kRecordingAddress));
}

TEST_F(ExchangeLogTest, DesktopBrowserTellsWhatWebKitSaid) {
    VirtualDisplay display;
    ASSERT_FALSE(display.Name().empty()) << "Xvfb could not be started";
    RecordingThatFails(false);
    RecordingThatFails(true);
    EXPECT_THAT(Log(), testing::ElementsAre(
                           RecordingLine("certificat non vérifié (G_TLS_CERTIFICATE_UNKNOWN_CA)"),
                           RecordingLine("échec du chargement (")));
}

}  // namespace
