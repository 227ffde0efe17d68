#pragma once
// The host's company databases and the service library.

#include <string>

class CDaoDatabase;

// Which of the company's databases: 1 holds Contacts, 4 holds ParamCompta, 5 the open study
// (EXMX, EXmxPrixel), 6 the folder settings (RensGeneraux).
enum mdMDBEnum { mdContacts = 1, mdCompta = 4, mdEtude = 5, mdDossier = 6 };

class CmdDBManager {
  public:
    // The open database, owned by the host: the system never closes it. Null when the company
    // has none of that kind or it could not be opened.
    virtual CDaoDatabase* GetMDBDao(int which) = 0;

  protected:
    ~CmdDBManager() = default;
};

class CmdBibObj {
  public:
    // The folder of the service library (Bib.mdb), ending with '/'.
    virtual std::string GetChemin() const = 0;
    // The service library's database as the database driver opens it: the folder's Bib.mdb, or
    // the address of the library on a database server that the company's configuration names.
    virtual std::string GetBase() const = 0;

  protected:
    ~CmdBibObj() = default;
};

class CmdBibManager {
  public:
    virtual CmdBibObj* GetPrixelBib() = 0;

  protected:
    ~CmdBibManager() = default;
};

CmdDBManager* GetDBManager();
CmdBibManager* GetBibManager();
