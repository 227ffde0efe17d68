#include "host/databases.h"

#include "host/session.h"

namespace {

class CompanyDBManager final : public CmdDBManager {
  public:
    CDaoDatabase* GetMDBDao(int which) override {
        host::Session* session = host::CurrentSession();
        if (!session) return nullptr;
        const auto found = session->databases.find(which);
        return found == session->databases.end() ? nullptr : found->second.get();
    }
};

// The service library's folder is the company's "prixel" folder; its database is the folder's
// Bib.mdb unless the company names one on a server. No company, no folder and no database.
class CompanyBibObj final : public CmdBibObj {
  public:
    std::string GetChemin() const override {
        const host::Session* session = host::CurrentSession();
        return session ? session->folder + "prixel/" : std::string();
    }
    std::string GetBase() const override {
        const host::Session* session = host::CurrentSession();
        return session ? session->library : std::string();
    }
};

class CompanyBibManager final : public CmdBibManager {
  public:
    CmdBibObj* GetPrixelBib() override { return &m_bib; }

  private:
    CompanyBibObj m_bib;
};

}  // namespace

CmdDBManager* GetDBManager() {
    static CompanyDBManager manager;
    return &manager;
}

CmdBibManager* GetBibManager() {
    static CompanyBibManager manager;
    return &manager;
}
