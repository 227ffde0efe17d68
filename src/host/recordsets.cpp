#include "host/recordsets.h"

#include <stdexcept>

#include "host/session.h"
#include "platform/text.h"

CMaterialSet::CMaterialSet(CDaoDatabase* database) : CDaoRecordset(database) {
    Bind("Type", &m_nType);
    Bind("Code", &m_strCode);
    Bind("Libelle", &m_strLibelle);
    Bind("NoteLibelle", &m_NoteLibelle);
    Bind("NoteTechnique", &m_NoteTechnique);
    Bind("Unite", &m_strUnite);
    Bind("PrixTarif", &m_dPrixTarif);
    Bind("Remise", &m_dRemise);
    Bind("PrixNet", &m_dPrixNet);
    Bind("PrixBase", &m_dPrixBase);
    Bind("CoefFG", &m_dCoefFG);
    Bind("PrixRevient", &m_dPrixRevient);
    Bind("CoefVente", &m_dCoefVente);
    Bind("PrixVente", &m_dPrixVente);
    Bind("DateMaj", &m_dtDateMaj);
    Bind("Fournisseur", &m_strFournisseur);
    Bind("CodeEAN", &m_strCodeEAN);
    Bind("PVImpose", &m_bPVImpose);
    Bind("MajMontant", &m_dMajMontant);
    Bind("MajPourcent", &m_dMajPourcent);
    Bind("MajEnMontant", &m_bMajEnMontant);
    Bind("MajIncluse", &m_bMajIncluse);
    Bind("Valeur2", &m_dValeur2);
    Bind("PrixelCheck", &m_bPrixelCheck);
    Bind("PrixelDate", &m_dtPrixelDate);
    Bind("PrixelFabricantID", &m_strPrixelFabricantID);
    Bind("PrefixeFabricant", &m_strPrefixeFabricant);
    Bind("Reference", &m_strReference);
}

CBibXmxSet::CBibXmxSet(CDaoDatabase* database, int, int) : CMaterialSet(database) {
    Bind("LibFamille", &m_strLibFamille);
    Bind("CodeFamille", &m_strCodeFamille);
    Bind("CoefFG2", &m_dCoefFG2);
    Bind("CoefVente2", &m_dCoefVente2);
    Bind("Profil", &m_nProfil);
}

CBibOuvSet::CBibOuvSet(CDaoDatabase* database, int, int) : CDaoRecordset(database) {
    Bind("Type", &m_nType);
    Bind("Code", &m_strCode);
    Bind("Libelle", &m_strLibelle);
    Bind("Unite", &m_strUnite);
    Bind("DateMaj", &m_dtDateMaj);
    Bind("LibFamille", &m_strLibFamille);
    Bind("CodeFamille", &m_strCodeFamille);
    Bind("Profil", &m_nProfil);
}

CBibLOuvSet::CBibLOuvSet(CDaoDatabase* database) : CDaoRecordset(database) {
    Bind("Type tache", &m_nTypeTache);
    Bind("Code tache", &m_strCodeTache);
    Bind("NumLigne", &m_nNumLigne);
    Bind("TypeElement", &m_nTypeElement);
    Bind("CodeElement", &m_strCodeElement);
    Bind("Quantite", &m_dQuantite);
}

CBibFabricantSet::CBibFabricantSet(CDaoDatabase* database) : CDaoRecordset(database) {
    Bind("Id", &m_strId);
    Bind("Prefixe", &m_strPrefixe);
    Bind("Nom", &m_strNom);
    Bind("DateTarif", &m_dtDateTarif);
    Bind("VersionTarif", &m_strVersionTarif);
    Bind("MajComplete", &m_nMajComplete);
}

CBibFamSet::CBibFamSet(CDaoDatabase* database) : CDaoRecordset(database) {
    Bind("Type", &m_nType);
    Bind("Parent", &m_strParent);
    Bind("Rang", &m_nRang);
    Bind("Code", &m_strCode);
    Bind("Libelle", &m_strLibelle);
    Bind("CodePrixel", &m_strCodePrixel);
}

CCataSet::CCataSet(CDaoDatabase* database) : CDaoRecordset(database) {
    Bind("Type", &m_nType);
    Bind("Code", &m_strCode);
    Bind("Ordre", &m_nOrdre);
    Bind("Fournisseur", &m_strFournisseur);
    Bind("DateTarif", &m_dtDateTarif);
    Bind("PrefixeFabricant", &m_strPrefixeFabricant);
    Bind("PrixTarif", &m_dPrixTarif);
    Bind("Remise", &m_dRemise);
    Bind("MontantFournisseur", &m_dMontantFournisseur);
    Bind("QteConditionnement", &m_dQteConditionnement);
}

CEtudeXmxSet::CEtudeXmxSet(CDaoDatabase* database) : CMaterialSet(database) {
    Bind("Num Code", &m_nNumCode);
}

void CEtudeXmxSet::Open(const std::string& sql) {
    host::OpenCompanyDatabase(*m_pDatabase, "EXMX");
    CDaoRecordset::Open(sql);
}

namespace {

struct ContactColumn {
    const char* column;
    std::string RContactSet::*member;
};

constexpr ContactColumn kLeadingColumns[RContactSet::kLeadingTextCount] = {
    {"Code", &RContactSet::m_strCode},
    {"Nom", &RContactSet::m_strNom},
    {"Civilite", &RContactSet::m_strCivilite},
    {"Adresse", &RContactSet::m_strAdresse},
    {"Batiment", &RContactSet::m_strBatiment},
    {"Pays", &RContactSet::m_strPays},
    {"CodePostal", &RContactSet::m_strCodePostal},
    {"Ville", &RContactSet::m_strVille},
    {"Telephone", &RContactSet::m_strTelephone},
    {"Telecopie", &RContactSet::m_strTelecopie},
    {"Portable", &RContactSet::m_strPortable},
    {"EMail", &RContactSet::m_strEMail},
    {"SiteWeb", &RContactSet::m_strSiteWeb},
    {"Siret", &RContactSet::m_strSiret},
    {"CodeAPE", &RContactSet::m_strCodeAPE},
    {"Interlocuteur", &RContactSet::m_strInterlocuteur},
    {"NumClient", &RContactSet::m_strNumClient},
};

}  // namespace

RContactSet::RContactSet(CDaoDatabase* database) : CDaoRecordset(database) {
    for (const ContactColumn& leading : kLeadingColumns)
        Bind(leading.column, &(this->*leading.member));
    Bind("CFamille", &m_strCFamille);
}

const std::string& RContactSet::GetLeadingText(int number) const {
    if (number < 1 || number > kLeadingTextCount) {
        throw std::out_of_range("RContactSet: no leading text " + std::to_string(number));
    }
    return this->*kLeadingColumns[number - 1].member;
}

std::string* RContactSet::FindText(const std::string& column) {
    const std::string wanted = text::MakeUpper(column);
    if (wanted == "CFAMILLE") return &m_strCFamille;
    for (const ContactColumn& leading : kLeadingColumns) {
        if (text::MakeUpper(leading.column) == wanted) return &(this->*leading.member);
    }
    return nullptr;
}

CRensGeSt::CRensGeSt(CDaoDatabase* database) : CDaoRecordset(database) {
    Bind("CodeSociete", &m_strCodeSociete);
    Bind("RaisonSociale", &m_strRaisonSociale);
    Bind("PrixelDesactive", &m_nPrixelDesactive);
}

void CRensGeSt::Open(const std::string& sql) {
    host::OpenCompanyDatabase(*m_pDatabase, "RensGeneraux");
    CDaoRecordset::Open(sql);
}
