// The host's suppliers and the folder switch through the stand-in host program against the
// stand-in service: contacts imported from a file, sent in batches and read back from the
// service's admin page; the service switched off for the folder and back on.

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <string>

#include "integration/host_service_fixture.h"
#include "platform/text.h"

namespace {

constexpr int kSuppliers = 50;
const char* const kColumns =
    "Code\tCivilite\tNom\tAdresse\tCodePostal\tVille\tTelephone\tTelecopie\tEMail\tSiret\tCodeAPE"
    "\tNumClient\tCFamille\n";

// Supplier i as a line of a contacts file, every separator of the requests in its name.
std::string SupplierRow(int i) {
    const std::string n = std::to_string(i);
    return "F" + n + "\tM.\tNégoce|Bois!" + n + " : A_B & C #%\t" + n + " rue du Port\t690" + n +
           "\tLyon\t04 00 00 " + n + "\t\tf" + n + "@negoce.fr\tSIRET" + n + "\t4673A\tCL" + n +
           "\tFOUR\n";
}

// What the supplier line of supplier i carries: its columns but the code, the title and the
// family, the separators blanked.
std::string ExpectedLine(int i) {
    const std::string n = std::to_string(i);
    return "Négoce Bois " + n + "   A B   C   |" + n + " rue du Port|690" + n + "|Lyon|04 00 00 " +
           n + "||f" + n + "@negoce.fr|SIRET" + n + "|4673A|CL" + n;
}

class AccountCommandsTest : public HostServiceTest {
  protected:
    std::string ContactsFile(const std::string& content) {
        const std::string path = m_dir.File("contacts.tsv");
        std::ofstream(path) << content;
        return path;
    }
    std::string Switch() { return Sql("Dossier.mdb", "SELECT PrixelDesactive FROM RensGeneraux"); }
};

TEST_F(AccountCommandsTest, OnlyAWholeFileIsStoredAndEverySupplierArrivesOnceInBatches) {
    // A file that cannot be read whole stores no contact.
    EXPECT_EQ(Host("contacts import " + ContactsFile("Code\tNom\nF1\tBois\nF2\n"), true),
              "prixel-host: Ligne 3 : le nombre de champs diffère de celui de l'en-tête.\n");
    EXPECT_EQ(Sql("Contacts.mdb", "SELECT count(*) FROM Contacts"), "0\n");

    std::string contacts = kColumns;
    for (int i = 1; i <= kSuppliers; ++i) contacts += SupplierRow(i);
    contacts += "C1\t\tClient Martin\t\t\t\t\t\t\t\t\t\tCLI\n";
    EXPECT_EQ(Host("contacts import " + ContactsFile(contacts)), "Contacts ajoutés : 51\n");
    EXPECT_EQ(Host("sync-suppliers", true),
              "toaster: La synchronisation des fournisseurs est terminée.\n");

    // A line a batch: the customer number, a tab and the batch as sent, without its final "!".
    // The batches' sizes are the facade's own case.
    std::map<std::string, int> arrived;
    const std::vector<std::string> batches = text::Split(Admin("/admin/suppliers"), '\n');
    ASSERT_GE(batches.size(), 3u);
    for (std::size_t b = 0; b + 1 < batches.size(); ++b) {
        const std::vector<std::string> parts = text::Split(batches[b], '\t');
        ASSERT_EQ(parts.size(), 2u) << batches[b];
        EXPECT_EQ(parts[0], Stored("CustomerNumber"));
        for (const std::string& line : text::Split(parts[1], '!')) ++arrived[line];
    }
    EXPECT_EQ(arrived.size(), std::size_t{kSuppliers});
    for (int i = 1; i <= kSuppliers; ++i) EXPECT_EQ(arrived[ExpectedLine(i)], 1) << ExpectedLine(i);
}

TEST_F(AccountCommandsTest, ActivateOffersToSwitchTheFolderBackOnAndRecords) {
    EXPECT_EQ(Host("set-switch off"), "");
    EXPECT_EQ(Switch(), "1\n");

    EXPECT_EQ(Host("--answer no activate", true),
              "message: L'utilisation de Vako Prixel est désactivée sur ce dossier.  Voulez vous "
              "réactiver cette fonction ?\n0\n");
    EXPECT_EQ(Switch(), "1\n");

    EXPECT_EQ(Host("--answer yes activate"), "1\n");
    EXPECT_EQ(Switch(), "0\n");
    EXPECT_NE(Admin("/admin/log").find("_Varneloawp_PAGE_EC1_"), std::string::npos);
}

}  // namespace
