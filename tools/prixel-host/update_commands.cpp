#include "update_commands.h"

#include <iostream>

#include "host/databases.h"
#include "host/recordsets.h"
#include "module/prixel_ctrl.h"
#include "platform/db/dao.h"
#include "platform/text.h"
#include "update_dialog_user.h"

namespace {

// The name the update list shows for a maker given by its identifier or its name (CP1252).
std::string ListedNameOf(const std::string& idOrName) {
    CDaoDatabase library;
    library.Open(GetBibManager()->GetPrixelBib()->GetBase());
    CBibFabricantSet makers(&library);
    makers.Open();
    for (; !makers.IsEOF(); makers.MoveNext()) {
        if (makers.m_strId == idOrName) return makers.m_strNom;
    }
    return idOrName;
}

std::vector<std::string> ListedNamesOf(const std::vector<std::string>& utf8) {
    std::vector<std::string> names;
    for (const std::string& maker : utf8) names.push_back(ListedNameOf(text::FromUtf8(maker)));
    return names;
}

}  // namespace

const char* UpdateStateName(int state) {
    switch (state) {
        case CPrixelCtrl::PrixelUpToDate:
            return "PrixelUpToDate";
        case CPrixelCtrl::PrixelOutOfDate:
            return "PrixelOutOfDate";
        case CPrixelCtrl::PrixelNotChecked:
            return "PrixelNotChecked";
    }
    return "?";
}

int CheckTariffs(CPrixelCtrl& prixel, HostScreen& host) {
    const CPrixelCtrl::PrixelUpdateState state = prixel.IsUpToDate();
    std::vector<ListedMaker> rows;
    if (state == CPrixelCtrl::PrixelOutOfDate) {
        ReadUpdateList(host, rows);
        prixel.OpenUpdate();
    }
    std::cout << UpdateStateName(state) << '\n'
              << rows.size() << '\n'
              << prixel.GetArticleUpToDateCount() << '\n';
    for (const ListedMaker& row : rows)
        std::cout << text::ToUtf8(row.name) << '\t' << text::ToUtf8(row.count) << '\n';
    return 0;
}

int UpdateTariffs(CPrixelCtrl& prixel, HostScreen& host, bool all,
                  const std::vector<std::string>& makers) {
    const CPrixelCtrl::PrixelUpdateState state = prixel.IsUpToDate();
    std::cout << UpdateStateName(state) << '\n';
    if (state != CPrixelCtrl::PrixelOutOfDate) return 0;
    if (all)
        RefreshAllMakers(host);
    else
        RefreshMakersNamed(host, ListedNamesOf(makers));
    const int allDone = prixel.OpenUpdate();
    host.ReportToaster();
    std::cout << allDone << '\n';
    return 0;
}

int RefreshArticles(CPrixelCtrl& prixel, const std::vector<std::string>& texts, bool study) {
    const int toLibrary = study ? 0 : 1;
    if (texts.size() == 1)
        prixel.UpdatePrixelArticle(texts[0], toLibrary);
    else
        prixel.UpdatePrixelArticle(texts.at(0), texts.at(1), texts.at(2), texts.at(3), toLibrary);
    return 0;
}

int PrintTariff(CPrixelCtrl& prixel, const std::vector<std::string>& texts) {
    std::cout << text::ToUtf8(prixel.GetArticleTarif(texts.at(0), texts.at(1), texts.at(2)))
              << '\n';
    return 0;
}
