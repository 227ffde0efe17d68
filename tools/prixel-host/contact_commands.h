#pragma once
// The host's contacts, filled from the command line for a demonstration or a test: one contact
// from FIELD=VALUE arguments, or many from a tab-separated UTF-8 file whose first line names the
// columns. Columns are those of Contacts (Code, Nom, ..., NumClient, CFamille), in any case.
// Every contact of one command is stored, or none. Both print how many were added and answer
// the program's exit code; the company must be open.

#include <string>
#include <vector>

// family (may be empty) is given to the contact unless a CFamille column says otherwise.
int AddContact(const std::string& family, const std::vector<std::string>& assignments);
int ImportContacts(const std::string& family, const std::string& file);
