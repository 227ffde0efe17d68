#include "import/library_look_ahead.h"

#include <algorithm>
#include <set>
#include <string>

#include "import/dao_message.h"
#include "import/import_walk.h"
#include "import/library_batch.h"
#include "import/prixel_element.h"
#include "platform/db/dao.h"

namespace {

// The codes of the lines' articles, as the literals of an IN list; a code that no query accepts
// is left to its article's own lookup, which tells the refusal.
std::string CodeList(std::string_view lines, std::set<std::string>& codes) {
    std::string list;
    std::size_t start = 0;
    for (int n = 0; n < kArticlesReadAhead && start < lines.size(); ++n) {
        const std::size_t end = std::min(lines.find("\r\n", start), lines.size());
        const std::string code =
            CPrixelElement::ArticleCode(std::string(lines.substr(start, end - start)));
        start = end + 2;
        if (code.empty() || code.find('\'') != std::string::npos) continue;
        if (codes.insert(code).second) list += (list.empty() ? "'" : ", '") + code + "'";
    }
    return list;
}

// Keeps the codes that table has no row of.
void ReadTable(CDaoDatabase& library, const char* table, const std::string& list,
               std::set<std::string> codes, CImportWalk& walk) {
    CDaoRecordset found(&library);
    found.Open(std::string("SELECT [Code] FROM ") + table + " WHERE [Type] = " +
               std::to_string(PRIXEL_TYPE_MATERIAL) + " AND [Code] IN (" + list + ")");
    for (; !found.IsEOF(); found.MoveNext()) {
        const db::Value code = found.GetFieldValue("Code");
        if (const auto* text = std::get_if<std::string>(&code)) codes.erase(*text);
    }
    for (const std::string& code : codes) walk.KeepWithoutRows(table, code);
}

}  // namespace

void ReadAhead(std::string_view lines, CImportWalk& walk) {
    std::set<std::string> codes;
    const std::string list = CodeList(lines, codes);
    if (list.empty()) return;
    CDaoDatabase library;
    try {
        library.Open(PrixelLibraryFile());
        for (const char* table : {"BXMX", "Catalogue"})
            ReadTable(library, table, list, codes, walk);
    } catch (const CDaoException& e) {
        if (library.IsOpen() && library.IsTransactionLost()) ShowDaoError(e);
    }
}
