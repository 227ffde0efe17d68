// The walk over an answer's article lines, one article built, written and destroyed at a time.

#include <memory>

#include "connection/prixel_answer.h"
#include "host/databases.h"
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

// Every article object opens its own connection to the library; they all share the one this walk
// holds open, in which the whole walk is written as one transaction: the library then is neither
// opened again for each article nor written to disk once per row, and an import that cannot be
// stored at its end leaves the library as it was. The transaction takes the write lock before the
// first article, waiting for another program's import to end; a failure that undoes the
// transaction (the disk full) ends the walk.
class LibraryWalk {
  public:
    void Begin() {
        m_library.Open(GetBibManager()->GetPrixelBib()->GetChemin() + "Bib.mdb");
        m_library.BeginTrans();
        m_bOpen = true;
    }
    // Whether the walk can go on: no transaction, or one that no failure undid.
    bool CanGoOn() const { return !m_bOpen || !m_library.IsTransactionLost(); }
    void Commit() {
        if (m_bOpen) m_library.CommitTrans();
    }
    void Rollback() {
        try {
            m_library.Rollback();
        } catch (const CDaoException&) {
            // The engine already undid the transaction.
        }
    }

  private:
    CDaoDatabase m_library;
    bool m_bOpen = false;
};

}  // namespace

int CPrixelAnswer::ImportAnswer(std::list<std::string>& codes, bool toLibrary) {
    LibraryWalk walk;
    try {
        if (toLibrary) walk.Begin();
    } catch (const CDaoException& e) {
        // The service library could not be opened, or another program kept it locked longer
        // than the host waits: no article can be written.
        ShowDaoError(e);
        return 0;
    }
    const std::string body = GetAnswerBody();
    std::list<std::string> written;
    std::size_t start = 0;
    for (std::size_t end = body.find("\r\n"); end != std::string::npos;
         start = end + 2, end = body.find("\r\n", start)) {
        std::string code;
        try {
            if (WriteArticle(body.substr(start, end - start), toLibrary, code)) {
                written.push_back(code);
            }
        } catch (const CDaoException& e) {
            // The article's database could not be opened: no article can be written.
            ShowDaoError(e);
            break;
        }
        if (!walk.CanGoOn()) break;
    }
    try {
        walk.Commit();
    } catch (const CDaoException& e) {
        ShowDaoError(e);
        walk.Rollback();
        return 0;
    }
    const int count = static_cast<int>(written.size());
    codes.splice(codes.end(), written);
    return count;
}
