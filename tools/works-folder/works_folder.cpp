#include "works_folder.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/text.h"

namespace {

constexpr std::array kTrades = {"Terrassement",
                                "Démolition",
                                "Gros œuvre",
                                "Maçonnerie",
                                "Béton armé",
                                "Charpente bois",
                                "Charpente métallique",
                                "Couverture",
                                "Zinguerie",
                                "Étanchéité",
                                "Menuiseries extérieures",
                                "Menuiseries intérieures",
                                "Plâtrerie",
                                "Isolation thermique",
                                "Cloisons et doublages",
                                "Faux plafonds",
                                "Carrelage",
                                "Faïence murale",
                                "Sols souples",
                                "Parquets",
                                "Peinture",
                                "Revêtements muraux",
                                "Plomberie",
                                "Appareils sanitaires",
                                "Chauffage",
                                "Ventilation",
                                "Électricité",
                                "Courants faibles",
                                "Serrurerie",
                                "Métallerie",
                                "Vitrerie",
                                "Ravalement de façade",
                                "Voirie et réseaux divers",
                                "Espaces verts",
                                "Désamiantage",
                                "Ascenseurs"};
constexpr std::array kFamilies = {"Travaux préparatoires", "Ouvrages courants",
                                  "Ouvrages spéciaux"};
constexpr std::array kSubFamilies = {"en construction neuve", "en rénovation"};
constexpr const char* kDeepest = "finitions soignées";

constexpr std::array kActions = {"Fourniture et pose de", "Dépose et repose de", "Réalisation de",
                                 "Mise en œuvre de", "Reprise de"};
constexpr std::array kObjects = {"cloison en plaques de plâtre",
                                 "mur en parpaings creux",
                                 "dalle en béton armé",
                                 "enduit monocouche gratté",
                                 "chape ciment",
                                 "isolant en laine de verre",
                                 "carrelage en grès cérame",
                                 "plinthes en chêne",
                                 "porte isoplane",
                                 "fenêtre en PVC",
                                 "gouttière en zinc",
                                 "tuiles mécaniques",
                                 "canalisation en PVC",
                                 "radiateur à eau chaude",
                                 "prise de courant",
                                 "garde-corps en acier",
                                 "faux plafond démontable",
                                 "peinture acrylique mate"};
constexpr std::array kDetails = {"de 5 cm",         "de 20 cm",       "72/48",
                                 "à l'étage",       "en sous-œuvre",  "hauteur 2,50 m",
                                 "classement UPEC", "finition lisse", "pose collée"};
constexpr std::array kUnits = {"m2", "ml", "U", "m3", "kg", "ens", "h"};

std::string TradeCode(int trade) {
    return text::Format("CE%03d", trade + 1);
}

std::string TradeLabel(int trade) {
    const std::string label = kTrades[static_cast<std::size_t>(trade) % kTrades.size()];
    if (trade < static_cast<int>(kTrades.size())) return label;
    return label + text::Format(" (lot %d)", trade / static_cast<int>(kTrades.size()) + 1);
}

// A record of fields joined by '|', in CP1252, ended by CR LF.
std::string Record(const std::vector<std::string>& fields) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) line += (i ? "|" : "") + fields[i];
    return text::FromUtf8(line) + "\r\n";
}

struct Family {
    std::string code;
    std::string trade;
    std::string parent;  // "-1" under the trade
    std::string label;
};

// Three families per trade, two sub-families under each, one family below each sub-family;
// each family comes after its parent.
std::vector<Family> FamiliesOf(int trade) {
    const std::string tradeCode = TradeCode(trade);
    const std::string tradeLabel = TradeLabel(trade);
    std::vector<Family> families;
    for (std::size_t f = 0; f < kFamilies.size(); ++f) {
        const std::string code = text::Format("FO%03d%zu", trade + 1, f + 1);
        const std::string label = tradeLabel + " - " + kFamilies[f];
        families.push_back({code, tradeCode, "-1", label});
        for (std::size_t s = 0; s < kSubFamilies.size(); ++s) {
            const std::string sub = code + text::Format("%zu", s + 1);
            families.push_back(
                {sub, tradeCode, code, std::string(kFamilies[f]) + " " + kSubFamilies[s]});
            families.push_back(
                {sub + "1", tradeCode, sub,
                 std::string(kFamilies[f]) + " " + kSubFamilies[s] + ", " + kDeepest});
        }
    }
    return families;
}

std::string Pick(int i, int step, const auto& list) {
    return list[static_cast<std::size_t>(i * step) % list.size()];
}

// Hours written with a '.' or a ',' in turn; a second time on one work in three.
std::vector<std::string> WorkFields(int i, const std::string& family) {
    const int hundredths = 5 + (i * 37) % 400;
    const char separator = i % 2 ? ',' : '.';
    const std::string time1 =
        text::Format("%d%c%02d", hundredths / 100, separator, hundredths % 100);
    const std::string time2 = i % 3 == 0 ? "0,25" : "";
    const std::string label =
        Pick(i, 1, kActions) + " " + Pick(i, 7, kObjects) + " " + Pick(i, 5, kDetails);
    const std::string price = text::Format("%d,%02d", 20 + (i * 13) % 300, (i * 7) % 100);
    return {text::Format("OUV%06d", i + 1),
            family,
            "",
            "",
            Pick(i, 3, kUnits),
            label,
            price,
            "0",
            "",
            time1,
            time2,
            "",
            ""};
}

bool WriteTradesAndFamilies(const std::filesystem::path& folder, int trades,
                            std::vector<std::string>& familyCodes) {
    std::ofstream tradeFile(folder / "corpsdetat.txt", std::ios::binary);
    std::ofstream familyFile(folder / "familleouvrage.txt", std::ios::binary);
    for (int t = 0; t < trades; ++t) {
        tradeFile << Record({TradeCode(t), TradeLabel(t), "", "", "", "", "", "", ""});
        familyCodes.push_back(TradeCode(t));
        for (const Family& f : FamiliesOf(t)) {
            familyFile << Record({f.code, f.trade, f.parent, f.label, "", "", "", ""});
            familyCodes.push_back(f.code);
        }
    }
    return tradeFile.good() && familyFile.good();
}

bool WriteWorks(const std::filesystem::path& folder, int works,
                const std::vector<std::string>& familyCodes) {
    std::ofstream file(folder / "ouvrage.txt", std::ios::binary);
    for (int i = 0; i < works && !familyCodes.empty(); ++i)
        file << Record(
            WorkFields(i, familyCodes[static_cast<std::size_t>(i * 11) % familyCodes.size()]));
    return file.good();
}

// The three files the import only requires: a few materials, their families and the links of
// the first works to them.
bool WriteMaterials(const std::filesystem::path& folder) {
    std::ofstream materials(folder / "materiaux.txt", std::ios::binary);
    std::ofstream families(folder / "famillemateriaux.txt", std::ios::binary);
    std::ofstream links(folder / "liensouvragemateriaux.txt", std::ios::binary);
    families << Record({"FM001", "-1", "Matériaux de construction"});
    for (int m = 0; m < 10; ++m) {
        const std::string code = text::Format("MAT%04d", m + 1);
        materials << Record({code, "FM001", Pick(m, 1, kObjects), Pick(m, 3, kUnits), "0"});
        links << Record({text::Format("OUV%06d", m + 1), code, "1,05"});
    }
    return materials.good() && families.good() && links.good();
}

}  // namespace

bool WriteWorksFolder(const std::string& folder, const WorksFolderSize& size) {
    std::error_code error;
    const std::filesystem::path path(folder);
    std::filesystem::create_directories(path, error);
    std::vector<std::string> familyCodes;
    return WriteTradesAndFamilies(path, size.trades, familyCodes) &&
           WriteWorks(path, size.works, familyCodes) && WriteMaterials(path);
}
