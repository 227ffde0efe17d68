// The walk over an answer's article lines, one article built, written and destroyed at a time.

#include <memory>

#include "connection/prixel_answer.h"
#include "import/bib_mx_element.h"
#include "import/dao_message.h"
#include "import/etude_mx_element.h"
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
    const std::string body = GetAnswerBody();
    int count = 0;
    std::size_t start = 0;
    for (std::size_t end = body.find("\r\n"); end != std::string::npos;
         start = end + 2, end = body.find("\r\n", start)) {
        std::string code;
        try {
            if (!WriteArticle(body.substr(start, end - start), toLibrary, code)) continue;
        } catch (const CDaoException& e) {
            // The service library could not be opened: no article can be written.
            ShowDaoError(e);
            break;
        }
        ++count;
        codes.push_back(code);
    }
    return count;
}
