#include "works/work_import.h"

#include "import/dao_message.h"
#include "import/family.h"
#include "platform/db/dao.h"
#include "platform/system.h"
#include "platform/text_file.h"
#include "platform/ui/desktop.h"
#include "resources/prixel_resources.h"
#include "resources/prixel_texts.h"
#include "works/import_progress_dlg.h"
#include "works/labour_time.h"
#include "works/text_import_writer.h"
#include "works/work_line_writer.h"

namespace {

constexpr const char* kTradesFile = "corpsdetat.txt";
constexpr const char* kWorkFamiliesFile = "familleouvrage.txt";
constexpr const char* kWorksFile = "ouvrage.txt";
constexpr int kReadable = 4;

}  // namespace

const char* const CWorkImport::IMPORT_FILES[6] = {"ouvrage.txt",    "familleouvrage.txt",
                                                  "materiaux.txt",  "famillemateriaux.txt",
                                                  "corpsdetat.txt", "liensouvragemateriaux.txt"};

CWorkImport::CWorkImport(std::string folder, std::string prefix)
    : m_strFolder(std::move(folder) + "/"), m_strPrefix(std::move(prefix)) {}

// Destroying the window deletes the progress object; one without a window is deleted here.
CWorkImport::~CWorkImport() {
    if (m_pProgress && !m_pProgress->DestroyWindow()) delete m_pProgress;
}

bool CWorkImport::Run() {
    if (!CheckFiles()) {
        AfxMessageBox(Fr(TXT_MISSING_IMPORT_FILES), MB_OK);
        return false;
    }
    try {
        m_batch.Begin();
    } catch (const CDaoException& e) {
        ShowDaoError(e);
        return false;
    }
    m_pProgress = new CImportProgressDlg();
    m_pProgress->Create(IDD_IMPORT_PROGRESS, nullptr);
    m_pProgress->SetCaption(Fr(TXT_IMPORT_RUNNING));
    m_pProgress->ShowAtPointer();
    ImportFile(kTradesFile, Fr(TXT_IMPORTING_TRADES));
    ImportFile(kWorkFamiliesFile, Fr(TXT_IMPORTING_WORK_FAMILIES));
    ImportFile(kWorksFile, Fr(TXT_IMPORTING_WORKS));
    return !m_bFailed;
}

bool CWorkImport::CheckFiles() {
    for (const char* file : IMPORT_FILES) {
        if (sys::Access(m_strFolder + file, kReadable) != 0) return false;
    }
    return true;
}

void CWorkImport::ImportFile(std::string fileName, std::string caption) {
    CStdioFile file;
    if (!file.Open(m_strFolder + fileName)) return;
    m_pProgress->SetCaption(std::move(caption));
    file.SeekToBegin();
    int count = 0;
    for (std::string line; file.ReadString(line);) ++count;
    m_pProgress->m_progress.SetRange(0, count);
    if (fileName == kTradesFile) {
        ImportTrades(file);
    } else if (fileName == kWorkFamiliesFile) {
        ImportWorkFamilies(file);
    } else {
        ImportWorks(file);
    }
    file.Close();
    if (!m_bFailed) CommitBatch(true);
}

void CWorkImport::ImportTrades(CStdioFile& file) {
    ForEachLine(file, [](const std::string& line) {
        CTradeFamily(PRIXEL_FAMILY_WORKS, line).EnsureFamily();
    });
}

void CWorkImport::ImportWorkFamilies(CStdioFile& file) {
    ForEachLine(file, [](const std::string& line) {
        CWorkFamily(PRIXEL_FAMILY_WORKS, line).EnsureFamily();
    });
}

// The labour material is created even when the user interrupted before the works.
void CWorkImport::ImportWorks(CStdioFile& file) {
    try {
        CreateLabourMaterial();
    } catch (const CDaoException& e) {
        ShowDaoError(e);
    }
    ForEachLine(file, [this](const std::string& line) { ImportWork(line); });
}

template <class Handle>
void CWorkImport::ForEachLine(CStdioFile& file, Handle handle) {
    file.SeekToBegin();
    std::string line;
    for (int index = 0; !m_pProgress->m_bCancel && !m_bFailed && file.ReadString(line); ++index) {
        m_pProgress->m_progress.SetPos(index);
        try {
            handle(line);
        } catch (const CDaoException& e) {
            ShowDaoError(e);
        }
        // A failure that undid the batch (the disk full) was told where it happened; the import
        // stops there.
        m_bFailed = !m_batch.CanGoOn();
        if (!m_bFailed) CommitBatch(false);
        ui::PumpPendingMessages();
    }
}

// A new work gets its labour line in the same batch, so that the two are stored together.
void CWorkImport::ImportWork(const std::string& line) {
    CImportedWorkWriter work(PRIXEL_TYPE_WORK, m_strPrefix, line);
    if (!work.Process()) return;
    const double hours =
        ReadLabourTime(work.GetLabourTime1()) + ReadLabourTime(work.GetLabourTime2());
    if (hours == 0.0) return;
    CWorkLineWriter(PRIXEL_TYPE_WORK, PRIXEL_TYPE_LABOUR, work.GetCode(), LabourMaterialCode(),
                    hours)
        .Write();
}

void CWorkImport::CreateLabourMaterial() {
    CImportedMaterialWriter(PRIXEL_TYPE_LABOUR, LabourMaterialCode(), Fr(TXT_LABOUR_MATERIAL_LABEL),
                            "H")
        .Process();
}

std::string CWorkImport::LabourMaterialCode() const {
    return m_strPrefix + "_MO";
}

void CWorkImport::CommitBatch(bool now) {
    if (!now && ++m_nBatchLines < BATCH_LINES) return;
    m_nBatchLines = 0;
    try {
        m_batch.CommitAndGoOn();
    } catch (const CDaoException& e) {
        ShowDaoError(e);
        m_bFailed = true;
    }
}
