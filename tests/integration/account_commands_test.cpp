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
const std::vector<std::string> kColumns = {"Code",  "Nom",       "Adresse",   "CodePostal",
                                           "Ville", "Telephone", "Telecopie", "EMail",
                                           "Siret", "CodeAPE",   "NumClient", "CFamille"};

std::string TsvLine(const std::vector<std::string>& values) {
    std::string line;
    for (std::size_t i = 0; i < values.size(); ++i) line += (i > 0 ? "\t" : "") + values[i];
    return line + "\n";
}

// The columns of supplier i in the order of kColumns, every separator of the requests in its name.
std::vector<std::string> Supplier(int i) {
    const std::string n = std::to_string(i);
    return {"F" + n,
            "Négoce|Bois!" + n + " : A_B & C #%",
            n + " rue du Port",
            "690" + n,
            "Lyon",
            "04 00 00 " + n,
            "",
            "f" + n + "@negoce.fr",
            "SIRET" + n,
            "4673A",
            "CL" + n,
            "FOUR"};
}

// What a supplier line carries of supplier i: every column but the code and the family, each of
// ":" "|" "_" "!" "&" "#" "%" blanked.
std::string ExpectedLine(int i) {
    std::vector<std::string> values = Supplier(i);
    std::string line;
    for (std::size_t v = 1; v + 1 < values.size(); ++v) {
        for (char& c : values[v])
            if (std::string_view(":|_!&#%").find(c) != std::string_view::npos) c = ' ';
        line += (v > 1 ? "|" : "") + values[v];
    }
    return line;
}

class AccountCommandsTest : public HostServiceTest {
  protected:
    std::string WriteFile(const std::string& name, const std::string& content) {
        const std::string path = m_dir.File(name);
        std::ofstream(path) << content;
        return path;
    }
    std::string SupplierFile() {
        std::string content = TsvLine(kColumns);
        for (int i = 1; i <= kSuppliers; ++i) content += TsvLine(Supplier(i));
        content += "C1\tClient Martin\t\t\t\t\t\t\t\t\t\tCLI\n";
        return WriteFile("contacts.tsv", content);
    }
    std::string Switch() {
        return Sql("Dossier.mdb",
                   "SELECT PrixelDesactive FROM RensGeneraux WHERE CodeSociete = "
                   "'SOC'");
    }
};

TEST_F(AccountCommandsTest, EverySupplierArrivesOnceInBatchesOfAboutAThousandCharacters) {
    EXPECT_EQ(Host("contacts import " + SupplierFile()), "Contacts ajoutés : 51\n");
    EXPECT_EQ(Host("sync-suppliers", true),
              "toaster: La synchronisation des fournisseurs est terminée.\n");

    std::map<std::string, int> arrived;
    const std::vector<std::string> batches = text::Split(Admin("/admin/suppliers"), '\n');
    ASSERT_GE(batches.size(), 3u);
    for (std::size_t b = 0; b + 1 < batches.size(); ++b) {
        const std::vector<std::string> parts = text::Split(batches[b], '\t');
        ASSERT_EQ(parts.size(), 2u) << batches[b];
        EXPECT_EQ(parts[0], Stored("CustomerNumber"));
        const std::vector<std::string> lines = text::Split(parts[1], '!');
        const std::size_t sent = text::FromUtf8(parts[1]).size() + 1;
        const std::size_t last = text::FromUtf8(lines.back()).size() + 1;
        if (b + 2 < batches.size()) {
            EXPECT_GE(sent, 1000u) << "batch " << b;
        }
        EXPECT_LT(sent - last, 1000u) << "batch " << b;
        for (const std::string& line : lines) {
            EXPECT_EQ(text::Split(line, '|').size(), 10u) << line;
            ++arrived[line];
        }
    }
    EXPECT_EQ(batches.back(), "");
    ASSERT_EQ(arrived.size(), static_cast<std::size_t>(kSuppliers));
    for (int i = 1; i <= kSuppliers; ++i) EXPECT_EQ(arrived[ExpectedLine(i)], 1) << ExpectedLine(i);
}

TEST_F(AccountCommandsTest, ContactsThatCannotBeStoredAreToldAndNoneIsStored) {
    const struct {
        std::string arguments;
        std::string message;
    } cases[] = {
        {"contacts import " + WriteFile("a.tsv", "Code\tCouleur\nF1\trouge\n"),
         "Colonne inconnue de Contacts : Couleur"},
        {"contacts import " + WriteFile("b.tsv", "Code\tNom\nF1\tBois\nF2\n"),
         "Ligne 3 : le nombre de champs diffère de celui de l'en-tête."},
        {"contacts import " + m_dir.File("absent.tsv"),
         "Impossible de lire le fichier " + m_dir.File("absent.tsv")},
        {"contacts add --family FOUR Nom", "CHAMP=VALEUR attendu : Nom"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Host(c.arguments, true), "prixel-host: " + c.message + "\n");
    }
    EXPECT_EQ(Sql("Contacts.mdb", "SELECT count(*) FROM Contacts"), "0\n");
}

TEST_F(AccountCommandsTest, ActivateOffersToSwitchTheFolderBackOnAndRecords) {
    EXPECT_EQ(Host("set-switch off"), "");
    EXPECT_EQ(Switch(), "1\n");

    EXPECT_EQ(Host("--answer no activate", true),
              "message: L'utilisation de Vako Prixel est désactivée sur ce dossier.  Voulez vous "
              "réactiver cette fonction ?\n0\n");
    EXPECT_EQ(Switch(), "1\n");
    EXPECT_EQ(Admin("/admin/log"), "");

    EXPECT_EQ(Host("--answer yes activate"), "1\n");
    EXPECT_EQ(Switch(), "0\n");
    EXPECT_NE(Admin("/admin/log").find("_Varneloawp_PAGE_EC1_"), std::string::npos);
    EXPECT_EQ(Host("activate", true), "1\n");
}

}  // namespace
