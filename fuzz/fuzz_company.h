#pragma once
// A company of the stand-in host for the harnesses that write: made once in a folder of the
// machine's memory (/dev/shm), opened on the SQLite driver, with the headless user interface,
// whose message boxes answer at once. Each input starts from the same library.

#include <initializer_list>
#include <string>

namespace fuzz {

// Makes and opens the company on the first call.
void OpenCompany();
// A fresh headless user interface (no message box of an earlier input kept), and the rows of
// tables emptied in the company's database file that holds them.
void StartInput(std::initializer_list<const char*> tables);
// Runs sql on the service library (Bib.mdb).
void ExecuteOnLibrary(const std::string& sql);
// The number sql ("SELECT COUNT(*) AS n ...") counts in the service library.
long CountInLibrary(const std::string& sql);

}  // namespace fuzz
