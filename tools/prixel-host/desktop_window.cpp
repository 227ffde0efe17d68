#include "desktop_window.h"

#include <list>
#include <string>
#include <vector>

#include "host/databases.h"
#include "host/recordsets.h"
#include "module/prixel_ctrl.h"
#include "platform/db/dao.h"
#include "platform/text.h"
#include "platform/ui/controls.h"
#include "platform/ui/desktop.h"
#include "platform/ui/dialog.h"

namespace {

constexpr int kWindowId = 9000;
constexpr int kMaterialsId = 9100;

struct Action {
    int id;
    const char* label;  // UTF-8
};

// The buttons, in the order they stand.
constexpr Action kActions[] = {
    {9001, "Catalogue > bibliothèque"}, {9002, "Catalogue > étude"},
    {9003, "Contrôle des tarifs"},      {9004, "Mise à jour des tarifs"},
    {9005, "Tarif de l'article"},       {9006, "Fiche du fabricant"},
    {9007, "Site du fabricant"},        {9008, "Synchroniser fournisseurs"},
    {9009, "Enregistrement"},           {9010, "Création de compte"},
    {9011, "Activation du dossier"},    {9012, "Toaster"},
};

ui::ResourceModule WindowResources() {
    ui::DialogTemplate window{kWindowId,
                              text::FromUtf8("Hôte de démonstration - Vako Prixel"),
                              430,
                              240,
                              ui::kStyleModalFrame | ui::kStyleCaption | ui::kStyleSysMenu,
                              "MS Sans Serif",
                              8,
                              {{kMaterialsId, ui::ControlKind::ListView, 7, 7, 318, 226, "",
                                ui::kStyleReport | ui::kStyleSingleSelection | ui::kStyleBorder}}};
    int y = 7;
    for (const Action& action : kActions) {
        window.controls.push_back({action.id, ui::ControlKind::PushButton, 332, y, 91, 14,
                                   text::FromUtf8(action.label), ui::kStyleTabStop});
        y += 16;
    }
    window.controls.push_back(
        {IDCANCEL, ui::ControlKind::PushButton, 332, 219, 91, 14, "Fermer", ui::kStyleTabStop});
    return {"prixel-host", {window}, {}};
}

struct Material {
    std::string code, label, price, maker, prefix, reference;
};

std::vector<Material> LibraryMaterials() {
    std::vector<Material> materials;
    CDaoDatabase library;
    library.Open(GetBibManager()->GetPrixelBib()->GetChemin() + "Bib.mdb");
    CBibXmxSet rows(&library, 0, 0);
    rows.Open();
    for (; !rows.IsEOF(); rows.MoveNext())
        materials.push_back({rows.m_strCode, rows.m_strLibelle,
                             text::Format("%.2f", rows.m_dPrixTarif), rows.m_strPrixelFabricantID,
                             rows.m_strPrefixeFabricant, rows.m_strReference});
    return materials;
}

class DesktopWindow : public CDialog {
  public:
    explicit DesktopWindow(CPrixelCtrl& prixel) : CDialog(kWindowId), m_prixel(prixel) {
        for (const Action& action : kActions)
            OnClicked(action.id, [this, id = action.id] {
                Run(id);
                ShowMaterials();
            });
    }

    bool OnInitDialog() override {
        CDialog::OnInitDialog();
        m_list.InsertColumn(0, "Code", LVCFMT_LEFT, 110);
        m_list.InsertColumn(1, text::FromUtf8("Libellé"), LVCFMT_LEFT, 250);
        m_list.InsertColumn(2, "Prix tarif", LVCFMT_RIGHT, 70);
        m_list.InsertColumn(3, "Fabricant", LVCFMT_LEFT, 60);
        ShowMaterials();
        return true;
    }

  protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, kMaterialsId, m_list); }

  private:
    void ShowMaterials();
    void Run(int id);
    const Material* Selected() const;

    CPrixelCtrl& m_prixel;
    CListCtrl m_list;
    std::vector<Material> m_materials;
};

void DesktopWindow::ShowMaterials() {
    m_materials = LibraryMaterials();
    m_list.DeleteAllItems();
    for (const Material& material : m_materials) {
        const int row = m_list.InsertItem(m_list.GetItemCount(), material.code);
        m_list.SetItemText(row, 1, material.label);
        m_list.SetItemText(row, 2, material.price);
        m_list.SetItemText(row, 3, material.maker);
    }
}

const Material* DesktopWindow::Selected() const {
    const int row = m_list.GetSelectionMark();
    if (row >= 0 && row < static_cast<int>(m_materials.size())) return &m_materials[row];
    AfxMessageBox(text::FromUtf8("Choisissez d'abord un article dans la liste."));
    return nullptr;
}

void DesktopWindow::Run(int id) {
    std::list<std::string> codes;
    switch (id) {
        case 9001:
        case 9002:
            m_prixel.OpenVarnelo(codes, "", id == 9001, 1);
            break;
        case 9003:
            m_prixel.IsUpToDate();
            AfxMessageBox(text::Format("Articles dont le tarif a changé : %d",
                                       m_prixel.GetArticleUpToDateCount()),
                          MB_ICONINFORMATION);
            break;
        case 9004:
            if (m_prixel.IsUpToDate() == CPrixelCtrl::PrixelOutOfDate) m_prixel.OpenUpdate();
            break;
        case 9005:
            if (const Material* material = Selected())
                AfxMessageBox(text::FromUtf8("Prix tarif de ") + material->code + " : " +
                                  m_prixel.GetArticleTarif(material->maker, material->prefix,
                                                           material->reference),
                              MB_ICONINFORMATION);
            break;
        case 9006:
            if (const Material* material = Selected()) m_prixel.OpenMakerSheet(material->maker);
            break;
        case 9007:
            m_prixel.OpenVakoPrixelCom();
            break;
        case 9008:
            m_prixel.SynchronizeProvider();
            break;
        case 9009:
            m_prixel.CustomerRecording();
            break;
        case 9010:
            m_prixel.CreateAccount();
            break;
        case 9011:
            m_prixel.CheckPrixelActivate();
            break;
        case 9012:
            m_prixel.DisplayToaster("Vako Prixel");
            break;
    }
}

}  // namespace

int RunDesktopWindow(CPrixelCtrl& prixel) {
    static const ui::ResourceModule resources = WindowResources();
    ui::RegisterResourceModule(&resources);
    DesktopWindow window(prixel);
    window.DoModal();
    ui::UnregisterResourceModule(&resources);
    return 0;
}
