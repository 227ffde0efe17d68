#include "update_dialog_user.h"

#include <iostream>

#include "platform/text.h"
#include "resources/prixel_resources.h"

namespace {

// The dialog on show, not one whose modal loop has ended and is about to go.
bool UpdateDialogShown(const ui::HeadlessBackend& backend) {
    const ui::WindowModel* dialog = backend.FindDialog(IDD_PRIXEL_UPDATE);
    return dialog != nullptr && dialog->visible && !dialog->modalEnded;
}

void ClickRowNamed(ui::HeadlessBackend& backend, const std::string& name) {
    const std::vector<ListedMaker> rows = ShownUpdateList(backend);
    for (size_t row = 0; row < rows.size(); ++row) {
        if (rows[row].name == name) {
            backend.ClickListRow(backend.FindDialog(IDD_PRIXEL_UPDATE)->handle, IDC_UPDATE_LIST,
                                 static_cast<int>(row));
            return;
        }
    }
    std::cerr << "prixel-host: le fabricant " << text::ToUtf8(name)
              << " n'est pas dans la liste de mise à jour" << std::endl;
}

}  // namespace

std::vector<ListedMaker> ShownUpdateList(const ui::HeadlessBackend& backend) {
    std::vector<ListedMaker> rows;
    const ui::WindowModel* list = backend.FindControl(IDD_PRIXEL_UPDATE, IDC_UPDATE_LIST);
    if (list == nullptr) return rows;
    for (const ui::ListRow& row : list->rows) {
        rows.push_back(
            {row.texts.empty() ? "" : row.texts[0], row.texts.size() < 2 ? "" : row.texts[1]});
    }
    return rows;
}

void ReadUpdateList(HeadlessHost& host, std::vector<ListedMaker>& rows) {
    ui::HeadlessBackend& backend = host.Backend();
    const auto shown = [&backend] { return UpdateDialogShown(backend); };
    host.User()
        .Do(
            IDD_PRIXEL_UPDATE, [&backend, &rows] { rows = ShownUpdateList(backend); }, shown)
        .Press(IDD_PRIXEL_UPDATE, IDC_PRIXEL_QUITTER, shown);
}

void RefreshAllMakers(HeadlessHost& host) {
    ui::HeadlessBackend& backend = host.Backend();
    host.User().Press(IDD_PRIXEL_UPDATE, IDC_UPDATE_ALL,
                      [&backend] { return UpdateDialogShown(backend); });
}

void RefreshMakersNamed(HeadlessHost& host, const std::vector<std::string>& names) {
    ui::HeadlessBackend& backend = host.Backend();
    const auto shown = [&backend] { return UpdateDialogShown(backend); };
    for (const std::string& name : names) {
        host.User()
            .Do(
                IDD_PRIXEL_UPDATE, [&backend, name] { ClickRowNamed(backend, name); }, shown)
            .Press(IDD_PRIXEL_UPDATE, IDC_UPDATE_ONE, shown);
    }
    host.User().Press(IDD_PRIXEL_UPDATE, IDC_PRIXEL_QUITTER, shown);
}
