#include "catalogue_vocabulary.h"

namespace {

constexpr ProductLine kPlasterLines[] = {
    {"Plaques", "Standard", "Plaque de plâtre BA13 {}", "2500x1200;2600x1200;2800x1200;3000x1200",
     "U", 6.5, 14.0, "Palette de 50", 50, 24.0},
    {"Plaques", "Hydrofuges", "Plaque de plâtre hydrofuge H1 BA13 {}", "2500x1200;2600x1200", "U",
     9.0, 19.0, "Palette de 45", 45, 25.0},
    {"Ossatures", "", "Rail R48 galvanisé longueur {}", "3 m;4 m", "ML", 1.2, 3.5, "Botte de 10",
     10, 1.6},
    {"Ossatures", "", "Montant M48 galvanisé longueur {}", "2,50 m;2,70 m;3 m", "U", 2.5, 6.0,
     "Botte de 10", 10, 2.0},
    {"Enduits", "", "Enduit joint prise normale {}", "sac 5 kg;sac 25 kg", "KG", 0.9, 2.4, "Sac", 1,
     1.0},
};

constexpr ProductLine kPlumbingLines[] = {
    {"Cuivre", "Tubes", "Tube cuivre écroui Ø{} barre 4 m", "10;12;14;16;18;22;28", "ML", 4.0, 19.0,
     "Botte de 25", 25, 0.4},
    {"Cuivre", "Raccords", "Coude cuivre 90° à souder Ø{}", "12;14;16;18;22", "U", 0.8, 4.5,
     "Sachet de 10", 10, 0.03},
    {"Cuivre", "Raccords", "Té égal cuivre à souder Ø{}", "12;14;16;18;22", "U", 1.2, 6.0,
     "Sachet de 10", 10, 0.05},
    {"PER", "", "Tube PER nu Ø{} couronne 50 m", "12;16;20", "ML", 0.7, 2.2, "Couronne", 50, 0.08},
    {"Évacuation", "", "Tube PVC évacuation Ø{} longueur 4 m", "32;40;50;100", "ML", 1.5, 9.0,
     "Botte de 10", 10, 0.6},
    {"Sanitaires", "", "Lavabo céramique blanc {} cm", "50;55;60", "U", 45.0, 160.0, "Carton", 1,
     14.0},
};

constexpr ProductLine kElectricLines[] = {
    {"Câbles", "", "Câble R2V 3G{} mm² couronne 50 m", "1,5;2,5;6", "ML", 0.9, 4.8, "Couronne", 50,
     0.12},
    {"Câbles", "", "Fil H07VU {} mm² bleu couronne 100 m", "1,5;2,5", "ML", 0.2, 0.6, "Couronne",
     100, 0.03},
    {"Appareillage", "", "Prise de courant 2P+T 16A {}", "blanc;anthracite;alu", "U", 3.5, 14.0,
     "Boîte de 10", 10, 0.08},
    {"Appareillage", "", "Interrupteur va-et-vient 10A {}", "blanc;anthracite;alu", "U", 3.0, 12.0,
     "Boîte de 10", 10, 0.07},
    {"Protection", "", "Disjoncteur divisionnaire {} A courbe C", "2;10;16;20;32", "U", 6.0, 28.0,
     "Boîte de 12", 12, 0.12},
    {"Gaines", "", "Gaine ICTA Ø{} couronne 100 m", "16;20;25", "ML", 0.3, 1.1, "Couronne", 100,
     0.05},
};

constexpr ProductLine kMasonryLines[] = {
    {"Blocs", "", "Bloc béton creux B40 {}x20x50", "10;15;20", "U", 0.9, 2.6, "Palette de 120", 120,
     15.0},
    {"Liants", "", "Ciment gris CEM II 32,5 R {}", "sac 25 kg;sac 35 kg", "KG", 0.15, 0.35, "Sac",
     1, 1.0},
    {"Liants", "", "Chaux hydraulique NHL 3,5 {}", "sac 25 kg;sac 35 kg", "KG", 0.3, 0.7, "Sac", 1,
     1.0},
    {"Aciers", "Treillis", "Treillis soudé ST25 panneau {}", "2,40x4,20 m;2,40x6 m", "U", 18.0,
     45.0, "Paquet de 20", 20, 25.0},
    {"Aciers", "Barres", "Fer à béton HA Ø{} barre 6 m", "6;8;10;12", "U", 2.0, 9.0, "Botte de 50",
     50, 3.5},
};

constexpr ProductLine kInsulationLines[] = {
    {"Laines", "", "Laine de verre rouleau {} mm", "100;200;240", "M2", 3.0, 9.5, "Rouleau", 6,
     1.2},
    {"Laines", "", "Laine de roche panneau semi-rigide {} mm", "45;60;100", "M2", 4.0, 12.0,
     "Colis", 8, 2.0},
    {"Panneaux", "", "Panneau polystyrène expansé {} mm", "40;80;100", "M2", 3.5, 11.0, "Colis", 10,
     0.9},
};

constexpr ProductLine kRoofingLines[] = {
    {"Tuiles", "", "Tuile terre cuite {}", "romane rouge;plate vieillie;mécanique ardoisée", "U",
     0.6, 2.2, "Palette de 240", 240, 3.2},
    {"Zinguerie", "", "Gouttière zinc demi-ronde {} longueur 2 m", "25;33", "ML", 9.0, 22.0,
     "Botte de 10", 10, 1.8},
    {"Écrans", "", "Écran de sous-toiture HPV rouleau {}", "1,5x50 m;1,5x25 m", "M2", 0.8, 2.5,
     "Rouleau", 1, 0.15},
};

constexpr ProductLine kJoineryLines[] = {
    {"Portes", "Intérieures", "Bloc-porte isoplane {}x204 cm", "63;73;83;93", "U", 65.0, 190.0,
     "Colis", 1, 18.0},
    {"Portes", "Palières", "Bloc-porte palier acoustique {}x204 cm", "83;93", "U", 380.0, 790.0,
     "Colis", 1, 45.0},
    {"Fenêtres", "", "Fenêtre PVC 2 vantaux {} cm", "115x100;125x120;135x140", "U", 210.0, 520.0,
     "Colis", 1, 32.0},
};

constexpr ProductLine kPaintLines[] = {
    {"Murs", "", "Peinture acrylique mate blanche pot {} L", "2,5;10;15", "L", 4.0, 11.0, "Pot", 1,
     1.4},
    {"Murs", "", "Peinture velours lessivable pot {} L", "2,5;10", "L", 6.0, 15.0, "Pot", 1, 1.4},
    {"Sous-couches", "", "Sous-couche universelle pot {} L", "2,5;10", "L", 5.0, 12.0, "Pot", 1,
     1.3},
};

constexpr ProductLine kTilingLines[] = {
    {"Sols", "", "Carrelage grès cérame {} cm", "30x30;45x45;60x60", "M2", 12.0, 48.0, "Carton", 1,
     22.0},
    {"Faïences", "", "Faïence murale blanche {} cm", "20x20;25x40", "M2", 10.0, 35.0, "Carton", 1,
     14.0},
    {"Colles", "", "Mortier colle C2 sac {} kg", "5;25", "KG", 0.5, 1.6, "Sac", 1, 1.0},
};

constexpr ProductLine kHardwareLines[] = {
    {"Visserie", "", "Vis à bois tête fraisée {} boîte de 200", "4x30;4x40;5x50;6x60", "U", 5.0,
     16.0, "Boîte", 1, 0.9},
    {"Fixations", "", "Cheville nylon {} boîte de 100", "6x30;8x40;10x50", "U", 3.0, 11.0, "Boîte",
     1, 0.4},
    {"Fixations", "", "Tige filetée zinguée M{} longueur 1 m", "6;8;10;12", "U", 0.8, 3.5,
     "Botte de 10", 10, 0.4},
};

constexpr Trade kTrades[] = {
    {"Plâtrerie", "Plâtres", kPlasterLines},      {"Plomberie", "Sanitaire", kPlumbingLines},
    {"Électricité", "Électro", kElectricLines},   {"Maçonnerie", "Matériaux", kMasonryLines},
    {"Isolation", "Isolants", kInsulationLines},  {"Couverture", "Toitures", kRoofingLines},
    {"Menuiserie", "Menuiseries", kJoineryLines}, {"Peinture", "Peintures", kPaintLines},
    {"Carrelage", "Céramiques", kTilingLines},    {"Quincaillerie", "Fixations", kHardwareLines},
};

constexpr const char* kSurnames[] = {
    "Lemoine", "Garnier",  "Fabre",   "Marchand", "Roussel", "Perrin",   "Bertrand", "Chevalier",
    "Morel",   "Girard",   "Lefèvre", "Mercier",  "Dupuis",  "Fournier", "Lambert",  "Bonnet",
    "Rolland", "Gauthier", "Masson",  "Renaud",   "Barbier", "Arnaud",   "Picard",   "Colin",
};

constexpr const char* kDistributors[] = {
    "NEGOBAT", "DISTRIPRO", "MATEO", "BATISUD", "SANITHERM", "ELECDIS", "COMPTOIR", "NORDMAT",
};

constexpr const char* kAvailabilities[] = {"En stock", "Sous 48 h", "Sous 8 jours", "Sur commande"};

constexpr const char* kRanges[] = {"", " - gamme Pro", " - gamme Eco"};

}  // namespace

std::span<const Trade> Trades() {
    return kTrades;
}
std::span<const char* const> MakerSurnames() {
    return kSurnames;
}
std::span<const char* const> Distributors() {
    return kDistributors;
}
std::span<const char* const> Availabilities() {
    return kAvailabilities;
}
std::span<const char* const> Ranges() {
    return kRanges;
}
