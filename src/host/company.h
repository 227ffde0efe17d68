#pragma once
// The stand-in host's company folder:
//   DIR/host.ini           host configuration (company code, rights, price entries, switches,
//                          customer identity, number precision, host version)
//   DIR/Prixel.ini         the service connection identity (CParPath::sCurrentPath is DIR/)
//   DIR/prixel/Bib.mdb     the service library (GetChemin() is DIR/prixel/), unless host.ini names
//                          one on a PostgreSQL server, which several company folders may share
//   DIR/Contacts.mdb  DIR/Compta.mdb  DIR/Etude.mdb  DIR/Dossier.mdb
//   DIR/server/            CParPath::sServeurDataPath

#include <string>

namespace host {

struct CompanyOptions {
    std::string companyCode = "DEMO";
    std::string serverAddr;  // written to Prixel.ini when not empty
    // The service library on a PostgreSQL server (a postgresql:// address or a libpq
    // "keyword=value" list, without password), recorded in host.ini when not empty; an existing
    // folder keeps the library it names.
    std::string library;
};

// Creates the folder with every database and its schema, host.ini with defaults (every right
// granted, a price entry for type 10001, supplier discounts on, the service switched on, a sample
// customer identity) and Prixel.ini. An existing folder's files are kept, and a library that has
// its schema keeps its rows. False, with a French message in error, when something could not be
// made.
bool CreateCompany(const std::string& dir, const CompanyOptions& options, std::string& error);

// Loads host.ini, sets CParPath, the application object and the host version, and opens the
// company databases. False, with a French message in error, when the folder is not a company's.
bool OpenCompany(const std::string& dir, std::string& error);

// Closes the company databases and forgets the application object.
void CloseCompany();

// What the host does when an administrator switches the service on or off for the open company:
// the company's RensGeneraux row, when it has one, host.ini and the application object follow.
// False, with a French message in error, when the switch could not be stored; nothing is changed
// then.
bool SetServiceSwitch(bool on, std::string& error);

// The company database that holds table (by its name, case-insensitively), or empty: a file of
// the folder, or the library's address on a server.
std::string DatabaseFileOf(const std::string& dir, const std::string& table);

// The service library's database of the company folder dir: the address host.ini names, or the
// folder's prixel/Bib.mdb.
std::string LibraryOf(const std::string& dir);

}  // namespace host
