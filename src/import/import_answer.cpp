// The walk over an answer's article lines, one article built, written and destroyed at a time.

#include <memory>
#include <string_view>

#include "connection/prixel_answer.h"
#include "import/bib_mx_element.h"
#include "import/dao_message.h"
#include "import/etude_mx_element.h"
#include "import/import_walk.h"
#include "import/library_batch.h"
#include "import/library_look_ahead.h"
#include "platform/db/dao.h"

namespace {

// Writes the article of one line; true when it was written.
bool WriteArticle(const std::string& line, bool toLibrary, std::string& code) {
    if (toLibrary) {
        const auto element = std::make_unique<CPrixelBibMxElement>(line);
        code = element->GetCode();
        return element->Process();
    }
    const auto element = std::make_unique<CPrixelEtudeMxElement>(line);
    code = element->GetCode();
    return element->AddRecord();
}

}  // namespace

int CPrixelAnswer::ImportAnswer(std::list<std::string>& codes, bool toLibrary) {
    // The whole walk is written as one transaction: an import that cannot be stored at its end
    // leaves the library as it was.
    CLibraryBatch batch;
    CImportWalk walk;
    try {
        if (toLibrary) batch.Begin();
    } catch (const CDaoException& e) {
        // The service library could not be opened, or another program kept it locked longer
        // than the host waits: no article can be written.
        ShowDaoError(e);
        return 0;
    }
    const std::string_view body = BodyView();
    std::list<std::string> written;
    std::size_t start = 0;
    int line = 0;
    for (std::size_t end = body.find("\r\n"); end != std::string::npos;
         start = end + 2, end = body.find("\r\n", start)) {
        if (toLibrary && line++ % kArticlesReadAhead == 0) ReadAhead(body.substr(start), walk);
        std::string code;
        try {
            if (WriteArticle(std::string(body.substr(start, end - start)), toLibrary, code)) {
                written.push_back(code);
            }
        } catch (const CDaoException& e) {
            // The article's database could not be opened: no article can be written.
            ShowDaoError(e);
            break;
        }
        if (!batch.CanGoOn()) break;
    }
    try {
        batch.Commit();
    } catch (const CDaoException& e) {
        ShowDaoError(e);
        return 0;
    }
    const int count = static_cast<int>(written.size());
    codes.splice(codes.end(), written);
    return count;
}
