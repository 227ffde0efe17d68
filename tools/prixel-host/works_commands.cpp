#include "works_commands.h"

#include <array>
#include <iostream>

#include "host/databases.h"
#include "module/prixel_ctrl.h"
#include "platform/db/dao.h"
#include "platform/db/driver.h"
#include "platform/text.h"
#include "platform/ui/dialog.h"
#include "resources/prixel_resources.h"

namespace {

constexpr std::array<const char*, 4> kNames = {"trades", "families", "works", "lines"};
constexpr std::array<const char*, 4> kCounts = {
    "SELECT count(*) FROM Famille WHERE Type = 500 AND Parent = '@'",
    "SELECT count(*) FROM Famille WHERE Type = 500 AND Parent <> '@'",
    "SELECT count(*) FROM BOUV WHERE Type = 501", "SELECT count(*) FROM BLOUV"};

std::array<std::int64_t, 4> LibraryCounts() {
    CDaoDatabase library;
    library.Open(GetBibManager()->GetPrixelBib()->GetBase());
    std::array<std::int64_t, 4> counts{};
    for (std::size_t i = 0; i < kCounts.size(); ++i) {
        const auto statement = library.Connection().Prepare(kCounts[i]);
        if (statement->Step()) counts[i] = std::get<std::int64_t>(statement->Column(0));
    }
    return counts;
}

// Each line handled lets pending messages through once, and so lets the person look at the
// progress window once: he presses "Interrompre" at his lines-th look.
void InterruptAfter(HostScreen& host, int lines) {
    host.User().Press(IDD_IMPORT_PROGRESS, IDCANCEL,
                      [seen = 0, lines]() mutable { return ++seen >= lines; });
}

void FillImportDialog(HostScreen& host, const WorksCommand& command) {
    if (command.folder)
        host.User().Type(IDD_IMPORT_WORK, IDC_IMPORT_FOLDER, text::FromUtf8(*command.folder));
    if (command.prefix)
        host.User().Type(IDD_IMPORT_WORK, IDC_IMPORT_PREFIX, text::FromUtf8(*command.prefix));
    host.User().Press(IDD_IMPORT_WORK, IDC_IMPORT_START);
}

}  // namespace

int ImportWorks(CPrixelCtrl& prixel, HostScreen& host, const WorksCommand& command) {
    const std::array<std::int64_t, 4> before = LibraryCounts();
    FillImportDialog(host, command);
    if (command.interruptAfter > 0) InterruptAfter(host, command.interruptAfter);
    prixel.ImportWork();
    host.ReportToaster();
    const std::array<std::int64_t, 4> after = LibraryCounts();
    for (std::size_t i = 0; i < kNames.size(); ++i)
        std::cout << kNames[i] << ' ' << after[i] - before[i] << '\n';
    return 0;
}
