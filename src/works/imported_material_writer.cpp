#include "host/recordsets.h"
#include "import/dao_message.h"
#include "works/text_import_writer.h"

namespace {

constexpr const char* kTable = "BXMX";

}  // namespace

CImportedMaterialWriter::CImportedMaterialWriter(int type, std::string code, std::string label,
                                                 std::string unit)
    : m_pMaterialSet(std::make_unique<CBibXmxSet>(m_pDatabase, 2, 1)) {
    m_nType = type;
    m_strCode = std::move(code);
    m_strLabel = std::move(label);
    m_strUnit = std::move(unit);
}

CImportedMaterialWriter::~CImportedMaterialWriter() {
    if (m_pMaterialSet->IsOpen()) m_pMaterialSet->Close();
}

bool CImportedMaterialWriter::Process() {
    return AddWhenAbsent(*m_pMaterialSet);
}

int CImportedMaterialWriter::Lookup() {
    return LookupIn(*m_pMaterialSet, kTable);
}

bool CImportedMaterialWriter::OpenQuery(std::string sql) {
    return OpenShowingErrors(*m_pMaterialSet, sql);
}

void CImportedMaterialWriter::FillRecord() {
    FillElement(*m_pMaterialSet, PRIXEL_FAMILY_MATERIALS);
    m_pMaterialSet->m_dCoefFG = 1.0;
    m_pMaterialSet->m_dCoefVente = 1.0;
    m_pMaterialSet->m_dCoefFG2 = 1.0;
    m_pMaterialSet->m_dCoefVente2 = 1.0;
}
