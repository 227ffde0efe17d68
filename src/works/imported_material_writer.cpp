#include "host/recordsets.h"
#include "works/text_import_writer.h"

CImportedMaterialWriter::CImportedMaterialWriter(int type, std::string code, std::string label,
                                                 std::string unit)
    : CTextImportWriter("BXMX"), m_materialSet(MakeRowSet<CBibXmxSet>()) {
    m_nType = type;
    m_strCode = std::move(code);
    m_strLabel = std::move(label);
    m_strUnit = std::move(unit);
}

void CImportedMaterialWriter::FillRecord() {
    FillElement(m_materialSet, PRIXEL_FAMILY_MATERIALS);
    m_materialSet.m_dCoefFG = 1.0;
    m_materialSet.m_dCoefVente = 1.0;
    m_materialSet.m_dCoefFG2 = 1.0;
    m_materialSet.m_dCoefVente2 = 1.0;
}
