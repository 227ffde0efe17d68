// The stand-in host program with real windows on a virtual display: the catalogue in the WebKit
// browser, the update list, the works import with its progress, message boxes and toasters, worked
// by the scripted user through real events, with a picture of each window saved under the build
// folder; the diagnostic log of a failed exchange.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "integration/host_service_fixture.h"
#include "platform/text.h"
#include "support/log_lines.h"
#include "support/quiet_port.h"
#include "support/virtual_display.h"

namespace {

namespace fs = std::filesystem;

// The width and height a PNG file's header gives.
std::pair<int, int> SizeOf(const fs::path& png) {
    unsigned char header[24] = {};
    std::ifstream(png, std::ios::binary).read(reinterpret_cast<char*>(header), sizeof header);
    const auto number = [&header](int at) {
        return header[at] << 24 | header[at + 1] << 16 | header[at + 2] << 8 | header[at + 3];
    };
    return {number(16), number(20)};
}

class DesktopTest : public HostServiceTest {
  protected:
    void SetUp() override {
        ASSERT_FALSE(m_display.Name().empty()) << "Xvfb could not be started";
        HostServiceTest::SetUp();
        fs::remove_all(m_pictures);
    }

    // The host program with windows, saving their pictures.
    std::string Gui(const std::string& arguments, bool both = false) {
        return Host("--gui --screenshots '" + m_pictures.string() + "' " + arguments, both);
    }

    // The pictures saved, by name.
    std::vector<std::string> Pictures() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_pictures))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    VirtualDisplay m_display;
    fs::path m_pictures = fs::path(PRIXEL_PICTURES_DIR) /
                          testing::UnitTest::GetInstance()->current_test_info()->name();
};

// The host's own window: every operation has its button, and its list of materials is read again
// once the catalogue in the browser has brought two articles into the library.
TEST_F(DesktopTest, HostWindowOffersEveryOperationAndShowsTheArticlesBroughtIn) {
    const std::string shown = ShownCodes("", 2);
    const std::string output = Gui("desktop --pick " + shown);

    // The window's first look, its buttons; then its second, with the articles.
    const std::size_t firstLook = output.find("\n\n");
    ASSERT_NE(firstLook, std::string::npos) << output;
    const std::string buttons = output.substr(0, firstLook + 1);
    EXPECT_EQ(std::count(buttons.begin(), buttons.end(), '\n'), 16) << buttons;
    std::string codes;
    std::stringstream secondLook(output.substr(firstLook + 2));
    for (std::string line; std::getline(secondLook, line);)
        if (line.starts_with("article: ")) codes += line.substr(9, line.find('\t') - 9) + ",";
    EXPECT_EQ(codes, shown + ",");

    const std::vector<std::string> pictures = Pictures();
    ASSERT_GE(pictures.size(), 4u);
    EXPECT_EQ(pictures.front(), "01-9000.png");
    EXPECT_TRUE(pictures[1].ends_with("-5000.png")) << pictures[1];
    EXPECT_TRUE(pictures[pictures.size() - 2].ends_with("-5018.png"));
    EXPECT_TRUE(pictures.back().ends_with("-9000.png"));
}

// Without a display the host's window cannot open, even asked for with --gui: the person is told
// how to start it.
TEST_F(HostServiceTest, HostWindowWithoutDisplayTellsHowToOpenIt) {
    EXPECT_EQ(
        CommandOutput("env -u DISPLAY " + HostCommand("--gui desktop") + " 2>&1; echo exit $?"),
        "prixel-host: aucun écran n'est disponible : la commande s'exécute sans fenêtres\n"
        "prixel-host: la fenêtre de l'hôte demande un écran : lancez-la avec --gui\nexit 1\n");
}

TEST_F(DesktopTest, UpdateListShowsTwoMakersAndTheirRefreshIsTold) {
    for (const std::string search : {"plaque", "tube"}) {
        const std::string code = ShownCodes(search, 1);
        ASSERT_EQ(Host("browse --search " + search + " --pick " + code), code + "\n1\n");
    }
    std::stringstream makers(Sql("prixel/Bib.mdb", "SELECT DISTINCT PrixelFabricantID FROM BXMX"));
    for (std::string maker; std::getline(makers, maker);)
        ASSERT_EQ(
            Admin("/admin/tariff?maker=" + maker + "&date=01/03/2026&version=2026.1&factor=2"),
            "tarif " + maker + " 01/03/2026 2026.1\n");

    const std::string shown = Gui("update --all", true);
    EXPECT_NE(shown.find("message: Tous les tarifs ont été mis à jour."), std::string::npos)
        << shown;
    EXPECT_EQ(Pictures(), (std::vector<std::string>{"01-5003.png", "02-box.png", "03-5018.png"}));
}

TEST_F(DesktopTest, WorksImportShowsItsDialogAndProgressWindow) {
    const std::string folder = std::string(PRIXEL_TEST_DATA) + "/works";
    EXPECT_EQ(Gui("import-works --folder '" + folder + "' --prefix MO"),
              "trades 30\nfamilies 450\nworks 3000\nlines 3000\n");
    EXPECT_EQ(Pictures(), (std::vector<std::string>{"01-5019.png", "02-5017.png", "03-5018.png"}));
    // The end's toaster is drawn at its own size, a wide strip.
    const auto [width, height] = SizeOf(m_pictures / "03-5018.png");
    EXPECT_GT(width, 5 * height);
}

// A failed exchange on the desktop, with a certificate authority of nothing or towards a port
// where nothing listens: the log tells what WebKit said.
TEST_F(DesktopTest, FailedExchangesAreLoggedWithWhatWebKitSaid) {
    const QuietPort closed(false);
    const std::string record = HostCommand("--gui record") + " >/dev/null 2>&1";
    CommandOutput(text::Replace(record, m_service.CaFile(), "/dev/null"));
    CommandOutput(text::Replace(record, "127.0.0.1:" + std::to_string(m_service.Port()),
                                "127.0.0.1:" + std::to_string(closed.Port())));
    const auto recordingLine = [](const std::string& cause) {
        return testing::AllOf(
            testing::StartsWith("Échange de type 8 en échec : " + cause),
            testing::EndsWith(" ; adresse : https://localhost/awp/Varneloawp.awp?COMMANDE=1:2:"
                              "8.0.0.1_Varneloawp_PAGE_EC1_*__*:SOC"));
    };
    EXPECT_THAT(
        LogLines(m_company + "/"),
        testing::ElementsAre(recordingLine("certificat non vérifié (G_TLS_CERTIFICATE_UNKNOWN_CA)"),
                             recordingLine("échec du chargement (")));
}

}  // namespace
