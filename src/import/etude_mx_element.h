#pragma once
// The study materials target: adds an article of the service to EXmxPrixel of the open study,
// under a line number still free in EXMX for that article, and unlinks the study's rows of an
// article the service withdrew.

#include <string>

#include "import/prixel_element.h"

class CEtudeXmxSet;

class CPrixelEtudeMxElement : public CPrixelElement {
  public:
    // The study recordset opens the writer's database on the current study when it first opens.
    explicit CPrixelEtudeMxElement(const std::string& line);
    ~CPrixelEtudeMxElement() override;

    bool Process() override;
    int Lookup() override;
    void FillRecord() override;
    bool OpenQuery(std::string sql) override;
    // Unlinks every row of the article in EXMX when its first row is linked.
    void Unlink() override;
    bool UpdateRecord() override;
    // Adds the article to EXmxPrixel, without a lookup.
    bool AddRecord() override;

    // A line number not used in EXMX by the article, drawn at random. Raises a CDaoException when
    // the article already uses every number a draw can give.
    int NewNumCode();

  private:
    CEtudeXmxSet* m_pStudySet;
};
