#include "host/schema.h"

#include "host/databases.h"

namespace host {

namespace {

// The columns that the library's materials and the study's materials share, after Type and Code
// (and the study's line number).
constexpr const char* kMaterialTextColumns =
    "Libelle TEXT, NoteLibelle BLOB, NoteTechnique BLOB, Unite TEXT, PrixTarif REAL, "
    "Remise REAL, PrixNet REAL, PrixBase REAL, CoefFG REAL, PrixRevient REAL, CoefVente REAL, "
    "PrixVente REAL, DateMaj TEXT";
constexpr const char* kMaterialLinkColumns =
    "Fournisseur TEXT, CodeEAN TEXT, PVImpose INTEGER DEFAULT 0, MajMontant REAL, "
    "MajPourcent REAL, MajEnMontant INTEGER DEFAULT 0, MajIncluse INTEGER DEFAULT 0";
constexpr const char* kMaterialServiceColumns =
    "PrixelCheck INTEGER DEFAULT 0, PrixelDate TEXT, PrixelFabricantID TEXT, "
    "PrefixeFabricant TEXT, Reference TEXT";

std::string LibrarySchema() {
    return std::string("CREATE TABLE IF NOT EXISTS BXMX (Type INTEGER, Code TEXT, ") +
           kMaterialTextColumns +
           ", LibFamille TEXT, CodeFamille TEXT, CoefFG2 REAL, CoefVente2 REAL, " +
           kMaterialLinkColumns + ", Profil INTEGER, Valeur2 REAL, " + kMaterialServiceColumns +
           ");"
           "CREATE UNIQUE INDEX IF NOT EXISTS BXMX_TypeCode ON BXMX (Type, Code);"
           "CREATE INDEX IF NOT EXISTS BXMX_PrixelFabricantID ON BXMX (PrixelFabricantID);"
           "CREATE TABLE IF NOT EXISTS BOUV (Type INTEGER, Code TEXT, Libelle TEXT, Unite TEXT, "
           "DateMaj TEXT, LibFamille TEXT, CodeFamille TEXT, Profil INTEGER);"
           "CREATE UNIQUE INDEX IF NOT EXISTS BOUV_TypeCode ON BOUV (Type, Code);"
           "CREATE TABLE IF NOT EXISTS BLOUV ([Type tache] INTEGER, [Code tache] TEXT, "
           "NumLigne INTEGER, TypeElement INTEGER, CodeElement TEXT, Quantite REAL);"
           "CREATE INDEX IF NOT EXISTS BLOUV_Tache ON BLOUV ([Type tache], [Code tache]);"
           "CREATE TABLE IF NOT EXISTS Famille (Type INTEGER, Parent TEXT, Rang INTEGER, "
           "Code TEXT, Libelle TEXT, CodePrixel TEXT);"
           "CREATE UNIQUE INDEX IF NOT EXISTS Famille_Code ON Famille (Code);"
           "CREATE UNIQUE INDEX IF NOT EXISTS Famille_TypeCodePrixel ON Famille (Type, CodePrixel);"
           "CREATE INDEX IF NOT EXISTS Famille_TypeParent ON Famille (Type, Parent);"
           "CREATE TABLE IF NOT EXISTS Fabricant (Id TEXT, Prefixe TEXT, Nom TEXT, "
           "DateTarif TEXT, VersionTarif TEXT, MajComplete INTEGER DEFAULT 0);"
           "CREATE UNIQUE INDEX IF NOT EXISTS Fabricant_Id ON Fabricant (Id);"
           "CREATE TABLE IF NOT EXISTS Catalogue (Type INTEGER, Code TEXT, Ordre INTEGER, "
           "Fournisseur TEXT, DateTarif TEXT, PrefixeFabricant TEXT, PrixTarif REAL, "
           "Remise REAL, MontantFournisseur REAL, QteConditionnement REAL);"
           "CREATE UNIQUE INDEX IF NOT EXISTS Catalogue_TypeCodeFournisseur "
           "ON Catalogue (Type, Code, Fournisseur);"
           "CREATE INDEX IF NOT EXISTS Catalogue_TypeCodeOrdre ON Catalogue (Type, Code, Ordre);";
}

std::string StudyTable(const std::string& name) {
    return "CREATE TABLE IF NOT EXISTS " + name +
           " (Type INTEGER, Code TEXT, [Num Code] INTEGER, " + kMaterialTextColumns + ", " +
           kMaterialLinkColumns + ", Valeur2 REAL, " + kMaterialServiceColumns + ");";
}

std::string StudySchema() {
    return StudyTable("EXMX") +
           "CREATE UNIQUE INDEX IF NOT EXISTS EXMX_TypeCode ON EXMX (Type, Code, [Num Code]);" +
           StudyTable("EXmxPrixel");
}

constexpr const char* kContactsSchema =
    "CREATE TABLE IF NOT EXISTS Contacts (Code TEXT, Nom TEXT, Civilite TEXT, Adresse TEXT, "
    "Batiment TEXT, Pays TEXT, CodePostal TEXT, Ville TEXT, Telephone TEXT, Telecopie TEXT, "
    "Portable TEXT, EMail TEXT, SiteWeb TEXT, Siret TEXT, CodeAPE TEXT, Interlocuteur TEXT, "
    "NumClient TEXT, CFamille TEXT);"
    "CREATE INDEX IF NOT EXISTS Contacts_CFamille ON Contacts (CFamille);";

constexpr const char* kAccountingSchema =
    "CREATE TABLE IF NOT EXISTS ParamCompta (CodeSociete TEXT, ProfilOuvrages INTEGER, "
    "ProfilMateriaux INTEGER);"
    "CREATE UNIQUE INDEX IF NOT EXISTS ParamCompta_CodeSociete ON ParamCompta (CodeSociete);";

// The company's default profiles: 1 for works, 2 for materials.
constexpr const char* kAccountingRow =
    "INSERT INTO ParamCompta (CodeSociete, ProfilOuvrages, ProfilMateriaux) SELECT ?, 1, 2 "
    "WHERE NOT EXISTS (SELECT 1 FROM ParamCompta WHERE CodeSociete = ?)";

constexpr const char* kFolderSchema =
    "CREATE TABLE IF NOT EXISTS RensGeneraux (CodeSociete TEXT, RaisonSociale TEXT, "
    "PrixelDesactive INTEGER DEFAULT 0);"
    "CREATE UNIQUE INDEX IF NOT EXISTS RensGeneraux_CodeSociete ON RensGeneraux (CodeSociete);";

constexpr const char* kFolderRow =
    "INSERT INTO RensGeneraux (CodeSociete, PrixelDesactive) SELECT ?, 0 "
    "WHERE NOT EXISTS (SELECT 1 FROM RensGeneraux WHERE CodeSociete = ?)";

}  // namespace

const std::vector<DatabaseSchema>& CompanyDatabases() {
    static const std::vector<DatabaseSchema> databases = {
        {"prixel/Bib.mdb",
         0,
         {"BXMX", "BOUV", "BLOUV", "Famille", "Fabricant", "Catalogue"},
         LibrarySchema(),
         ""},
        {"Contacts.mdb", mdContacts, {"Contacts"}, kContactsSchema, ""},
        {"Compta.mdb", mdCompta, {"ParamCompta"}, kAccountingSchema, kAccountingRow},
        {"Etude.mdb", mdEtude, {"EXMX", "EXmxPrixel"}, StudySchema(), ""},
        {"Dossier.mdb", mdDossier, {"RensGeneraux"}, kFolderSchema, kFolderRow},
    };
    return databases;
}

}  // namespace host
