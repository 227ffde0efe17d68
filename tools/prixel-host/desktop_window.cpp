#include "desktop_window.h"

#include <iostream>
#include <list>
#include <map>
#include <string>
#include <vector>

#include "catalogue_picker.h"
#include "host/databases.h"
#include "host/recordsets.h"
#include "module/prixel_ctrl.h"
#include "platform/db/dao.h"
#include "platform/text.h"
#include "platform/ui/automation.h"
#include "platform/ui/controls.h"
#include "platform/ui/desktop.h"
#include "platform/ui/dialog.h"

namespace {

constexpr int kWindowId = 9000;
constexpr int kMaterialsId = 9100;
constexpr int kStatusId = 9101;
constexpr int kBrowseIntoLibraryId = 9001;

struct Material {
    std::string code, label, price, maker, makerName, prefix, reference, date;
};

std::map<std::string, std::string> MakerNames(CDaoDatabase& library) {
    std::map<std::string, std::string> names;
    CBibFabricantSet makers(&library);
    makers.Open();
    for (; !makers.IsEOF(); makers.MoveNext()) names[makers.m_strId] = makers.m_strNom;
    return names;
}

std::vector<Material> LibraryMaterials() {
    std::vector<Material> materials;
    CDaoDatabase library;
    library.Open(GetBibManager()->GetPrixelBib()->GetBase());
    const std::map<std::string, std::string> makerNames = MakerNames(library);
    CBibXmxSet rows(&library, 0, 0);
    rows.Open();
    for (; !rows.IsEOF(); rows.MoveNext()) {
        const auto name = makerNames.find(rows.m_strPrixelFabricantID);
        materials.push_back({rows.m_strCode, rows.m_strLibelle,
                             text::Format("%.2f", rows.m_dPrixTarif), rows.m_strPrixelFabricantID,
                             name == makerNames.end() ? "" : name->second,
                             rows.m_strPrefixeFabricant, rows.m_strReference,
                             rows.m_dtPrixelDate.Format("%d/%m/%Y")});
    }
    return materials;
}

const char* RecordingStateText(CPrixelCtrl::PrixelRecordingState state) {
    switch (state) {
        case CPrixelCtrl::PrixelRecordedWithoutRights:
            return "enregistré sans droits";
        case CPrixelCtrl::PrixelRecorded:
            return "enregistré";
        case CPrixelCtrl::PrixelNotRecorded:
            return "non enregistré";
        case CPrixelCtrl::PrixelNoAnswer:
            break;
    }
    return "sans réponse du service";
}

class DesktopWindow : public CDialog {
  public:
    struct Action {
        int id;
        const char* label;  // UTF-8
        void (DesktopWindow::*run)();
    };
    struct Group {
        const char* title;  // UTF-8
        std::vector<Action> actions;
    };
    // The buttons, in the order they stand, in their group boxes.
    static const std::vector<Group>& Groups();

    explicit DesktopWindow(CPrixelCtrl& prixel);

    bool OnInitDialog() override;
    // How many operations have ended, the list read again after each.
    int OperationsDone() const { return m_done; }
    // Prints the buttons on show and the list's rows, then an empty line.
    void PrintWhatIsShown();

  protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, kMaterialsId, m_list); }

  private:
    void ShowMaterials();
    // The material of the row chosen in the list; without one, the person is told to choose.
    const Material* Selected() const;

    void BrowseIntoLibrary() { Browse(true); }
    void BrowseIntoStudy() { Browse(false); }
    void Browse(bool toLibrary);
    void OpenArticleSheet();
    void OpenMakerSheet();
    void OpenProductSheet();
    void OpenSite() { m_prixel.OpenVakoPrixelCom(); }
    void CheckTariffs();
    void UpdateTariffs();
    void RefreshArticle();
    void AskTariff();
    void ImportWorks() { m_prixel.ImportWork(); }
    void SynchronizeSuppliers() { m_prixel.SynchronizeProvider(); }
    void RecordCustomer() { m_prixel.CustomerRecording(); }
    void CreateAccount() { m_prixel.CreateAccount(); }
    void ActivateFolder() { m_prixel.CheckPrixelActivate(); }
    void ShowToaster() { m_prixel.DisplayToaster("Vako Prixel"); }

    CPrixelCtrl& m_prixel;
    CListCtrl m_list;
    std::vector<Material> m_materials;
    int m_done = 0;
};

const std::vector<DesktopWindow::Group>& DesktopWindow::Groups() {
    static const std::vector<Group> groups = {
        {" Catalogue ",
         {{kBrowseIntoLibraryId, "Catalogue > bibliothèque", &DesktopWindow::BrowseIntoLibrary},
          {9002, "Catalogue > étude", &DesktopWindow::BrowseIntoStudy},
          {9003, "Fiche de l'article", &DesktopWindow::OpenArticleSheet},
          {9004, "Fiche du fabricant", &DesktopWindow::OpenMakerSheet},
          {9005, "Fiche du produit", &DesktopWindow::OpenProductSheet},
          {9006, "Site du fabricant", &DesktopWindow::OpenSite}}},
        {" Tarifs ",
         {{9007, "Contrôle des tarifs", &DesktopWindow::CheckTariffs},
          {9008, "Mise à jour des tarifs", &DesktopWindow::UpdateTariffs},
          {9009, "Actualiser l'article", &DesktopWindow::RefreshArticle},
          {9010, "Tarif de l'article", &DesktopWindow::AskTariff}}},
        {" Dossier ",
         {{9011, "Import d'ouvrages", &DesktopWindow::ImportWorks},
          {9012, "Synchroniser fournisseurs", &DesktopWindow::SynchronizeSuppliers},
          {9013, "Enregistrement", &DesktopWindow::RecordCustomer},
          {9014, "Création de compte", &DesktopWindow::CreateAccount},
          {9015, "Activation du dossier", &DesktopWindow::ActivateFolder}}},
        {" Avis ", {{9016, "Afficher un toaster", &DesktopWindow::ShowToaster}}},
    };
    return groups;
}

// Dialog units: the list on the left, the group boxes of buttons in a column on the right.
constexpr int kMargin = 7;
constexpr int kGroupX = 380;
constexpr int kGroupWidth = 103;
constexpr int kButtonWidth = 91;
constexpr int kButtonHeight = 14;
constexpr int kButtonPitch = 15;
constexpr int kGroupTitle = 10;

ui::ResourceModule WindowResources() {
    ui::DialogTemplate window{kWindowId,
                              text::FromUtf8("Hôte de démonstration - Vako Prixel"),
                              kGroupX + kGroupWidth + kMargin,
                              0,
                              ui::kStyleModalFrame | ui::kStyleCaption | ui::kStyleSysMenu,
                              "MS Sans Serif",
                              8,
                              {}};
    int y = 3;
    for (const DesktopWindow::Group& group : DesktopWindow::Groups()) {
        const int height = kGroupTitle + kButtonPitch * static_cast<int>(group.actions.size()) + 3;
        window.controls.push_back({-1, ui::ControlKind::GroupBox, kGroupX, y, kGroupWidth, height,
                                   text::FromUtf8(group.title), ui::kStyleNone});
        int buttonY = y + kGroupTitle + 1;
        for (const DesktopWindow::Action& action : group.actions) {
            window.controls.push_back({action.id, ui::ControlKind::PushButton, kGroupX + 6, buttonY,
                                       kButtonWidth, kButtonHeight, text::FromUtf8(action.label),
                                       ui::kStyleTabStop});
            buttonY += kButtonPitch;
        }
        y += height + 4;
    }
    window.controls.push_back({IDCANCEL, ui::ControlKind::PushButton, kGroupX + 6, y + 2,
                               kButtonWidth, kButtonHeight, "Fermer", ui::kStyleTabStop});
    window.cy = y + 2 + kButtonHeight + kMargin;
    window.controls.push_back({kMaterialsId, ui::ControlKind::ListView, kMargin, kMargin,
                               kGroupX - 2 * kMargin, window.cy - 2 * kMargin - 12, "",
                               ui::kStyleReport | ui::kStyleSingleSelection | ui::kStyleBorder});
    window.controls.push_back({kStatusId, ui::ControlKind::Static, kMargin, window.cy - kMargin - 8,
                               kGroupX - 2 * kMargin, 8, "", ui::kStyleNone});
    return {"prixel-host", {window}, {}};
}

DesktopWindow::DesktopWindow(CPrixelCtrl& prixel) : CDialog(kWindowId), m_prixel(prixel) {
    for (const Group& group : Groups())
        for (const Action& action : group.actions)
            OnClicked(action.id, [this, run = action.run] {
                (this->*run)();
                ShowMaterials();
                ++m_done;
            });
}

bool DesktopWindow::OnInitDialog() {
    CDialog::OnInitDialog();
    m_list.InsertColumn(0, "Code", LVCFMT_LEFT, 120);
    m_list.InsertColumn(1, text::FromUtf8("Libellé"), LVCFMT_LEFT, 225);
    m_list.InsertColumn(2, "Prix tarif", LVCFMT_RIGHT, 65);
    m_list.InsertColumn(3, "Fabricant", LVCFMT_LEFT, 130);
    m_list.InsertColumn(4, "Date du tarif", LVCFMT_LEFT, 85);
    ShowMaterials();
    return true;
}

void DesktopWindow::ShowMaterials() {
    m_materials = LibraryMaterials();
    m_list.DeleteAllItems();
    for (const Material& material : m_materials) {
        const int row = m_list.InsertItem(m_list.GetItemCount(), material.code);
        m_list.SetItemText(row, 1, material.label);
        m_list.SetItemText(row, 2, material.price);
        m_list.SetItemText(row, 3, material.makerName);
        m_list.SetItemText(row, 4, material.date);
    }
    SetDlgItemText(
        kStatusId,
        text::FromUtf8(text::Format(
            "Articles : %zu    Enregistrement : %s    Tarifs changés : %d", m_materials.size(),
            RecordingStateText(m_prixel.GetRecordingState()), m_prixel.GetArticleUpToDateCount())));
}

void DesktopWindow::PrintWhatIsShown() {
    for (const Group& group : Groups())
        for (const Action& action : group.actions)
            if (CWnd* button = GetDlgItem(action.id); button && button->IsWindowVisible())
                std::cout << "bouton: " << text::ToUtf8(button->GetWindowText()) << '\n';
    for (int row = 0; row < m_list.GetItemCount(); ++row) {
        std::cout << "article:";
        for (int column = 0; column < 4; ++column)
            std::cout << (column ? "\t" : " ") << text::ToUtf8(m_list.GetItemText(row, column));
        std::cout << '\n';
    }
    std::cout << std::endl;
}

const Material* DesktopWindow::Selected() const {
    const int row = m_list.GetSelectionMark();
    if (row >= 0 && row < static_cast<int>(m_materials.size())) return &m_materials[row];
    AfxMessageBox(text::FromUtf8("Choisissez d'abord un article dans la liste."));
    return nullptr;
}

void DesktopWindow::Browse(bool toLibrary) {
    std::list<std::string> codes;
    m_prixel.OpenVarnelo(codes, "", toLibrary, 1);
}

void DesktopWindow::OpenArticleSheet() {
    if (const Material* material = Selected())
        m_prixel.OpenArticleSheet(material->maker, material->prefix, material->reference,
                                  material->date);
}

void DesktopWindow::OpenMakerSheet() {
    if (const Material* material = Selected()) m_prixel.OpenMakerSheet(material->maker);
}

void DesktopWindow::OpenProductSheet() {
    if (const Material* material = Selected())
        m_prixel.OpenProductSheet(material->maker, material->prefix, material->reference);
}

void DesktopWindow::CheckTariffs() {
    if (m_prixel.IsUpToDate() == CPrixelCtrl::PrixelNotChecked) return;
    AfxMessageBox(text::FromUtf8("Articles dont le tarif a changé : ") +
                      std::to_string(m_prixel.GetArticleUpToDateCount()),
                  MB_ICONINFORMATION);
}

void DesktopWindow::UpdateTariffs() {
    const CPrixelCtrl::PrixelUpdateState state = m_prixel.IsUpToDate();
    if (state == CPrixelCtrl::PrixelOutOfDate)
        m_prixel.OpenUpdate();
    else if (state == CPrixelCtrl::PrixelUpToDate)
        AfxMessageBox(text::FromUtf8("Les tarifs de la bibliothèque sont à jour."),
                      MB_ICONINFORMATION);
}

void DesktopWindow::RefreshArticle() {
    if (const Material* material = Selected())
        m_prixel.UpdatePrixelArticle(material->maker, material->prefix, material->reference,
                                     material->date, 1);
}

void DesktopWindow::AskTariff() {
    const Material* material = Selected();
    if (!material) return;
    const std::string price =
        m_prixel.GetArticleTarif(material->maker, material->prefix, material->reference);
    AfxMessageBox(price.empty() ? text::FromUtf8("Le service ne donne pas de tarif pour ") +
                                      material->code + "."
                                : text::FromUtf8("Prix tarif de ") + material->code + " : " + price,
                  MB_ICONINFORMATION);
}

// Runs the window on the host's resources until it is closed.
template <class Work>
int WithWindow(CPrixelCtrl& prixel, Work work) {
    static const ui::ResourceModule resources = WindowResources();
    ui::RegisterResourceModule(&resources);
    DesktopWindow window(prixel);
    work(window);
    window.DoModal();
    ui::UnregisterResourceModule(&resources);
    return 0;
}

}  // namespace

int RunDesktopWindow(CPrixelCtrl& prixel) {
    return WithWindow(prixel, [](DesktopWindow&) {});
}

int RunDesktopWindowScripted(CPrixelCtrl& prixel, HostScreen& host,
                             const std::vector<std::string>& codes) {
    return WithWindow(prixel, [&host, &codes](DesktopWindow& window) {
        ui::ScriptedUser& user = host.User();
        user.Do(kWindowId, [&window] { window.PrintWhatIsShown(); });
        user.Press(kWindowId, kBrowseIntoLibraryId);
        PickOnCataloguePage(host, codes);
        user.Do(
            kWindowId,
            [&host, &window] {
                window.PrintWhatIsShown();
                host.Hand().SavePicture(window.GetSafeHwnd());
            },
            [&window] { return window.OperationsDone() > 0; });
        user.Press(kWindowId, IDCANCEL);
    });
}
