#include "update_dialog_user.h"

#include <iostream>

#include "platform/text.h"
#include "resources/prixel_resources.h"

namespace {

// The dialog on show, not one whose modal loop has ended and is about to go.
bool UpdateDialogShown(const ui::Automation& hand) {
    return hand.ShownDialog(IDD_PRIXEL_UPDATE) != 0;
}

void ClickRowNamed(ui::Automation& hand, const std::string& name) {
    const std::vector<ListedMaker> rows = ShownUpdateList(hand);
    for (size_t row = 0; row < rows.size(); ++row) {
        if (rows[row].name == name) {
            hand.ClickListRow(hand.ShownDialog(IDD_PRIXEL_UPDATE), IDC_UPDATE_LIST,
                              static_cast<int>(row));
            return;
        }
    }
    std::cerr << "prixel-host: le fabricant " << text::ToUtf8(name)
              << " n'est pas dans la liste de mise à jour" << std::endl;
}

}  // namespace

std::vector<ListedMaker> ShownUpdateList(const ui::Automation& hand) {
    std::vector<ListedMaker> rows;
    const ui::Backend& backend = ui::CurrentBackend();
    const ui::Hwnd list = backend.GetControl(hand.NewestDialog(IDD_PRIXEL_UPDATE), IDC_UPDATE_LIST);
    for (int row = 0; row < backend.GetItemCount(list); ++row)
        rows.push_back({backend.GetItemText(list, row, 0), backend.GetItemText(list, row, 1)});
    return rows;
}

void ReadUpdateList(HostScreen& host, std::vector<ListedMaker>& rows) {
    ui::Automation& hand = host.Hand();
    const auto shown = [&hand] { return UpdateDialogShown(hand); };
    host.User()
        .Do(
            IDD_PRIXEL_UPDATE, [&hand, &rows] { rows = ShownUpdateList(hand); }, shown)
        .Press(IDD_PRIXEL_UPDATE, IDC_PRIXEL_QUITTER, shown);
}

void RefreshAllMakers(HostScreen& host) {
    ui::Automation& hand = host.Hand();
    host.User().Press(IDD_PRIXEL_UPDATE, IDC_UPDATE_ALL,
                      [&hand] { return UpdateDialogShown(hand); });
}

void RefreshMakersNamed(HostScreen& host, const std::vector<std::string>& names) {
    ui::Automation& hand = host.Hand();
    const auto shown = [&hand] { return UpdateDialogShown(hand); };
    for (const std::string& name : names) {
        host.User()
            .Do(
                IDD_PRIXEL_UPDATE, [&hand, name] { ClickRowNamed(hand, name); }, shown)
            .Press(IDD_PRIXEL_UPDATE, IDC_UPDATE_ONE, shown);
    }
    host.User().Press(IDD_PRIXEL_UPDATE, IDC_PRIXEL_QUITTER, shown);
}
