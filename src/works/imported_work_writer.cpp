#include <vector>

#include "host/recordsets.h"
#include "import/text_fields.h"
#include "works/text_import_writer.h"

namespace {

constexpr short kWorkFieldCount = 13;

// The fields of a work line that are read.
enum WorkField {
    Code = 0,
    FamilyCode = 1,
    Unit = 4,
    Label = 5,
    LabourTime1 = 9,
    LabourTime2 = 10,
};

}  // namespace

CImportedWorkWriter::CImportedWorkWriter(int type, std::string prefix, std::string line)
    : CTextImportWriter("BOUV"), m_workSet(MakeRowSet<CBibOuvSet>()) {
    m_nType = type;
    m_nFieldCount = kWorkFieldCount;
    if (!CheckFieldCount(line)) return;
    const std::vector<std::string> fields = TrimmedFields(line);
    m_strCode = prefix + fields[Code];
    m_strFamilyCode = fields[FamilyCode];
    m_strUnit = fields[Unit];
    m_strLabel = fields[Label];
    m_strLabourTime1 = fields[LabourTime1];
    m_strLabourTime2 = fields[LabourTime2];
}

void CImportedWorkWriter::FillRecord() {
    FillElement(m_workSet, PRIXEL_FAMILY_WORKS);
}
