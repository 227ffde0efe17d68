#include "import/library_look_ahead.h"

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "import/dao_message.h"
#include "import/family.h"
#include "import/import_walk.h"
#include "import/library_batch.h"
#include "import/prixel_element.h"
#include "platform/db/dao.h"
#include "platform/db/query.h"

namespace {

// What a read ahead asks the library: the articles' codes and their families' keys. A value that
// no query accepts is left to its article's own lookup, which tells the refusal.
struct Asked {
    std::set<std::string> codes;
    std::set<std::string> familyKeys;
};

void Ask(std::set<std::string>& values, const std::string& value) {
    if (!value.empty() && value.find('\'') == std::string::npos) values.insert(value);
}

Asked AskedOf(std::string_view lines) {
    Asked asked;
    std::size_t start = 0;
    for (int n = 0; n < kArticlesReadAhead && start < lines.size(); ++n) {
        const std::size_t end = std::min(lines.find("\r\n", start), lines.size());
        const auto fields =
            CPrixelElement::SplitLine(std::string(lines.substr(start, end - start)));
        start = end + 2;
        const std::string& maker = fields[CPrixelElement::MakerPrefix];
        if (maker.empty()) continue;
        Ask(asked.codes, maker + fields[CPrixelElement::Reference]);
        for (const std::string& key :
             CFamilyPath::LevelKeys(maker, fields[CPrixelElement::FamilyCodes]))
            Ask(asked.familyKeys, key);
    }
    return asked;
}

// Reads the rows of "query IN (...)" for values, kArticlesReadAhead values a query, gives each
// row to found, and answers the values that found did not take away.
std::set<std::string> ReadMissing(CDaoDatabase& library, const std::string& query,
                                  std::set<std::string> values,
                                  const std::function<std::string(CDaoRecordset&)>& found) {
    std::set<std::string> missing = values;
    for (auto first = values.begin(); first != values.end();) {
        std::string list;
        std::vector<db::QueryArg> args;
        for (int n = 0; n < kArticlesReadAhead && first != values.end(); ++n, ++first) {
            list += list.empty() ? "'%s'" : ", '%s'";
            args.emplace_back(std::string_view(*first));
        }
        CDaoRecordset rows(&library);
        for (rows.Open(db::FormatQueryArgs(query + " IN (" + list + ")", args)); !rows.IsEOF();
             rows.MoveNext())
            missing.erase(found(rows));
    }
    return missing;
}

std::string TextOf(const CDaoRecordset& rows, const char* column) {
    const db::Value value = rows.GetFieldValue(column);
    const auto* text = std::get_if<std::string>(&value);
    return text ? *text : std::string();
}

void ReadArticles(CDaoDatabase& library, const std::set<std::string>& codes, CImportWalk& walk) {
    for (const char* table : {"BXMX", "Catalogue"}) {
        const std::string query = std::string("SELECT [Code] FROM ") + table +
                                  " WHERE [Type] = " + std::to_string(PRIXEL_TYPE_MATERIAL) +
                                  " AND [Code]";
        const auto code = [](CDaoRecordset& rows) { return TextOf(rows, "Code"); };
        for (const std::string& missing : ReadMissing(library, query, codes, code))
            walk.KeepWithoutRows(table, missing);
    }
}

// The families found are kept as a lookup of the walk keeps them.
void ReadFamilies(CDaoDatabase& library, const std::set<std::string>& keys, CImportWalk& walk) {
    const std::string query = "SELECT [CodePrixel], [Code] FROM Famille WHERE [Type] = " +
                              std::to_string(PRIXEL_FAMILY_MATERIALS) + " AND [CodePrixel]";
    const auto family = [&walk](CDaoRecordset& rows) {
        const std::string key = TextOf(rows, "CodePrixel");
        walk.KeepFamily(PRIXEL_FAMILY_MATERIALS, key, TextOf(rows, "Code"));
        return key;
    };
    for (const std::string& missing : ReadMissing(library, query, keys, family))
        walk.KeepWithoutRows("Famille", missing);
}

}  // namespace

void ReadAhead(std::string_view lines, CImportWalk& walk) {
    const Asked asked = AskedOf(lines);
    if (asked.codes.empty()) return;
    CDaoDatabase library;
    try {
        library.Open(PrixelLibraryFile());
        ReadArticles(library, asked.codes, walk);
        ReadFamilies(library, asked.familyKeys, walk);
    } catch (const CDaoException& e) {
        if (library.IsOpen() && library.IsTransactionLost()) ShowDaoError(e);
    }
}
