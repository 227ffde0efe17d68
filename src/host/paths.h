#pragma once
// The host's paths and current company.

#include <string>

struct CParPath {
    static std::string sFirmDefaut;       // current company code, matched against CodeSociete
    static std::string sCurrentPath;      // the current data folder (Prixel.ini), ends with '/'
    static std::string sServeurDataPath;  // the server data folder, ends with '/'
};
