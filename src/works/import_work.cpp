// The facade's works import: the dialog, then the import of the folder and prefix chosen.

#include <memory>

#include "module/prixel_ctrl.h"
#include "module/rights_check.h"
#include "resources/prixel_texts.h"
#include "works/import_work_dlg.h"
#include "works/work_import.h"

void CPrixelCtrl::ImportWork() {
    if (!MayModify()) return;
    CImportWorkDlg dialog(nullptr);
    if (dialog.DoModal() != IDOK) return;
    const auto import = std::make_unique<CWorkImport>(dialog.m_strFolder, dialog.m_strPrefix);
    if (import->Run()) DisplayToaster(Fr(TXT_TOASTER_WORKS_DONE));
}
