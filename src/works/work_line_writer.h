#pragma once
// The writer of one line of a work in BLOUV: an element put into the work with a quantity, after
// the lines the work already has. It holds its own connection to Bib.mdb for its life.

#include <memory>
#include <string>

#include "import/prixel_object.h"

class CDaoDatabase;
class CBibLOuvSet;

class CWorkLineWriter : public CPrixelObject {
  public:
    // Opens the service library; a library that cannot be opened raises its CDaoException.
    CWorkLineWriter(int workType, int elementType, std::string workCode, std::string elementCode,
                    double quantity);
    ~CWorkLineWriter() override;
    CWorkLineWriter(const CWorkLineWriter&) = delete;
    CWorkLineWriter& operator=(const CWorkLineWriter&) = delete;

    virtual void FillRecord();
    // Opens the lines recordset as a dynaset on sql; false, the failure shown, when it fails.
    virtual bool OpenQuery(std::string sql);
    // Adds the line; a database failure is shown and the line is not stored.
    void Write();

  private:
    bool OpenLinesOfWork();
    // 0 for a work without lines, otherwise the count of its lines plus 1.
    int NextLineNumber();

    int m_nWorkType;
    std::string m_strWorkCode;
    int m_nLineNumber = 0;
    int m_nElementType;
    std::string m_strElementCode;
    double m_dQuantity;
    std::unique_ptr<CBibLOuvSet> m_pLineSet;
    std::unique_ptr<CDaoDatabase> m_pDatabase;
};
