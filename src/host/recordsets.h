#pragma once
// The host's recordset classes: one table each, members bound to the columns of the company
// databases' schema (host/schema.cpp). Texts are CP1252, dates OLE dates, notes long binaries.

#include <string>

#include "platform/db/dao.h"
#include "platform/db/value.h"
#include "platform/oledate.h"

// The columns a material has in the library (BXMX) and in the study (EXMX, EXmxPrixel).
class CMaterialSet : public CDaoRecordset {
  public:
    short m_nType = 0;
    std::string m_strCode;
    std::string m_strLibelle;
    db::Bytes m_NoteLibelle;
    db::Bytes m_NoteTechnique;
    std::string m_strUnite;
    double m_dPrixTarif = 0.0;     // list price
    double m_dRemise = 0.0;        // discount percent
    double m_dPrixNet = 0.0;       // net cost
    double m_dPrixBase = 0.0;      // cost base
    double m_dCoefFG = 0.0;        // overhead coefficient
    double m_dPrixRevient = 0.0;   // cost price
    double m_dCoefVente = 0.0;     // sale coefficient
    double m_dPrixVente = 0.0;     // sale price
    COleDateTime m_dtDateMaj;      // update date
    std::string m_strFournisseur;  // main supplier
    std::string m_strCodeEAN;
    bool m_bPVImpose = false;      // sale price given
    double m_dMajMontant = 0.0;    // surcharge amount
    double m_dMajPourcent = 0.0;   // surcharge percent
    bool m_bMajEnMontant = false;  // surcharge given as an amount
    bool m_bMajIncluse = false;    // cost base includes the surcharge
    double m_dValeur2 = 0.0;
    bool m_bPrixelCheck = false;
    COleDateTime m_dtPrixelDate;
    std::string m_strPrixelFabricantID;
    std::string m_strPrefixeFabricant;
    std::string m_strReference;

  protected:
    explicit CMaterialSet(CDaoDatabase* database);
};

// BXMX: the materials of the service library (Bib.mdb).
class CBibXmxSet : public CMaterialSet {
  public:
    // The two integers select the host's library mode; the stand-in host has one layout for
    // every mode, so they change nothing.
    CBibXmxSet(CDaoDatabase* database, int, int);

    std::string m_strLibFamille;
    std::string m_strCodeFamille;
    double m_dCoefFG2 = 0.0;  // second price series
    double m_dCoefVente2 = 0.0;
    short m_nProfil = 0;

  protected:
    std::string GetDefaultSQL() const override { return "BXMX"; }
};

// BOUV: the works of the service library.
class CBibOuvSet : public CDaoRecordset {
  public:
    // The two integers mean what they mean for CBibXmxSet.
    CBibOuvSet(CDaoDatabase* database, int, int);

    short m_nType = 0;
    std::string m_strCode;
    std::string m_strLibelle;
    std::string m_strUnite;
    COleDateTime m_dtDateMaj;
    std::string m_strLibFamille;
    std::string m_strCodeFamille;
    short m_nProfil = 0;

  protected:
    std::string GetDefaultSQL() const override { return "BOUV"; }
};

// BLOUV: the lines of the works, each an element put into a work with a quantity.
class CBibLOuvSet : public CDaoRecordset {
  public:
    explicit CBibLOuvSet(CDaoDatabase* database);

    short m_nTypeTache = 0;  // the work's type
    std::string m_strCodeTache;
    short m_nNumLigne = 0;
    short m_nTypeElement = 0;
    std::string m_strCodeElement;
    double m_dQuantite = 0.0;

  protected:
    std::string GetDefaultSQL() const override { return "BLOUV"; }
};

// Fabricant: the makers of the service, keyed by their identifier at the service.
class CBibFabricantSet : public CDaoRecordset {
  public:
    explicit CBibFabricantSet(CDaoDatabase* database);

    std::string m_strId;
    std::string m_strPrefixe;
    std::string m_strNom;
    COleDateTime m_dtDateTarif;
    std::string m_strVersionTarif;
    int m_nMajComplete = 0;  // non-zero: every linked material of the maker is to be refreshed

  protected:
    std::string GetDefaultSQL() const override { return "Fabricant"; }
};

// Famille: the family tree of the library; a family's code is its parent's followed by two
// characters, and is unique.
class CBibFamSet : public CDaoRecordset {
  public:
    explicit CBibFamSet(CDaoDatabase* database);

    short m_nType = 0;
    std::string m_strParent;
    short m_nRang = 0;  // rank among the siblings, from 1
    std::string m_strCode;
    std::string m_strLibelle;
    std::string m_strCodePrixel;  // the family's key at the service

  protected:
    std::string GetDefaultSQL() const override { return "Famille"; }
};

// Catalogue: one row per element and supplier.
class CCataSet : public CDaoRecordset {
  public:
    explicit CCataSet(CDaoDatabase* database);

    short m_nType = 0;
    std::string m_strCode;
    short m_nOrdre = 0;
    std::string m_strFournisseur;
    COleDateTime m_dtDateTarif;
    std::string m_strPrefixeFabricant;
    double m_dPrixTarif = 0.0;
    double m_dRemise = 0.0;
    double m_dMontantFournisseur = 0.0;
    double m_dQteConditionnement = 0.0;

  protected:
    std::string GetDefaultSQL() const override { return "Catalogue"; }
};

// EXMX, the materials of the open study, and EXmxPrixel, the service's articles waiting to be
// taken into it: the two tables share this layout. A recordset on a database that is not open
// opens it on the current company's study.
class CEtudeXmxSet : public CMaterialSet {
  public:
    explicit CEtudeXmxSet(CDaoDatabase* database);
    void Open(const std::string& sql = "") override;

    short m_nNumCode = 0;  // line number of the material in the study

  protected:
    std::string GetDefaultSQL() const override { return "EXMX"; }
};

// Contacts: the host's contacts; suppliers are those of the family "FOUR". The seventeen leading
// members are texts, in this order.
class RContactSet : public CDaoRecordset {
  public:
    static constexpr int kLeadingTextCount = 17;

    explicit RContactSet(CDaoDatabase* database);
    // Leading text member number (1 to kLeadingTextCount), in the order of declaration.
    const std::string& GetLeadingText(int number) const;
    // The text member bound to column (named as in the table, in any case), or null.
    std::string* FindText(const std::string& column);

    std::string m_strCode;           // 1
    std::string m_strNom;            // 2
    std::string m_strCivilite;       // 3
    std::string m_strAdresse;        // 4
    std::string m_strBatiment;       // 5
    std::string m_strPays;           // 6
    std::string m_strCodePostal;     // 7
    std::string m_strVille;          // 8
    std::string m_strTelephone;      // 9
    std::string m_strTelecopie;      // 10
    std::string m_strPortable;       // 11
    std::string m_strEMail;          // 12
    std::string m_strSiteWeb;        // 13
    std::string m_strSiret;          // 14
    std::string m_strCodeAPE;        // 15
    std::string m_strInterlocuteur;  // 16
    std::string m_strNumClient;      // 17: our customer number with the contact
    std::string m_strCFamille;

  protected:
    std::string GetDefaultSQL() const override { return "Contacts"; }
};

// RensGeneraux: the general information of each company of the folder, with its service switch.
// A recordset on a database that is not open opens it on the current company's folder settings.
class CRensGeSt : public CDaoRecordset {
  public:
    explicit CRensGeSt(CDaoDatabase* database);
    void Open(const std::string& sql = "") override;

    std::string m_strCodeSociete;
    std::string m_strRaisonSociale;
    int m_nPrixelDesactive = 0;  // non-zero: the service is switched off for the company

  protected:
    std::string GetDefaultSQL() const override { return "RensGeneraux"; }
};
