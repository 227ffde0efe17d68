#include "contact_commands.h"

#include <fstream>
#include <iostream>
#include <stdexcept>
#include <utility>

#include "host/databases.h"
#include "host/recordsets.h"
#include "platform/text.h"

namespace {

using Contact = std::vector<std::pair<std::string, std::string>>;  // column, value (CP1252)

// A contact that cannot be stored as given; its message is French, in CP1252.
struct BadContacts : std::runtime_error {
    using std::runtime_error::runtime_error;
};

std::string Utf8Message(const char* utf8, const std::string& value) {
    return text::FromUtf8(utf8) + value;
}

std::vector<std::string> FieldsOf(std::string line) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return text::Split(text::FromUtf8(line), '\t');
}

std::vector<Contact> ReadTsv(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::string line;
    if (!in || !std::getline(in, line))
        throw BadContacts(Utf8Message("Impossible de lire le fichier ", text::FromUtf8(file)));
    const std::vector<std::string> columns = FieldsOf(line);
    std::vector<Contact> contacts;
    for (int number = 2; std::getline(in, line); ++number) {
        if (text::Trim(line).empty()) continue;
        const std::vector<std::string> values = FieldsOf(line);
        if (values.size() != columns.size())
            throw BadContacts(text::Replace(
                text::FromUtf8("Ligne %s : le nombre de champs diffère de celui de l'en-tête."),
                "%s", std::to_string(number)));
        Contact& contact = contacts.emplace_back();
        for (std::size_t i = 0; i < columns.size(); ++i)
            contact.emplace_back(text::Trim(columns[i]), values[i]);
    }
    return contacts;
}

Contact FromAssignments(const std::vector<std::string>& assignments) {
    Contact contact;
    for (const std::string& assignment : assignments) {
        const std::size_t equals = assignment.find('=');
        if (equals == std::string::npos)
            throw BadContacts(Utf8Message("CHAMP=VALEUR attendu : ", text::FromUtf8(assignment)));
        contact.emplace_back(text::FromUtf8(assignment.substr(0, equals)),
                             text::FromUtf8(assignment.substr(equals + 1)));
    }
    return contact;
}

// Fills the recordset's members of a new row; an unknown column is refused before anything is
// stored.
void Fill(RContactSet& row, const std::string& family, const Contact& contact) {
    row.m_strCFamille = family;
    for (const auto& [column, value] : contact) {
        std::string* member = row.FindText(column);
        if (member == nullptr)
            throw BadContacts(Utf8Message("Colonne inconnue de Contacts : ", column));
        *member = value;
    }
}

// Stores every contact in one transaction.
void Store(const std::string& family, const std::vector<Contact>& contacts) {
    CDaoDatabase* database = GetDBManager()->GetMDBDao(mdContacts);
    RContactSet check(database);
    for (const Contact& contact : contacts) Fill(check, family, contact);
    database->BeginTrans();
    try {
        RContactSet row(database);
        row.Open();
        for (const Contact& contact : contacts) {
            row.AddNew();
            Fill(row, family, contact);
            row.Update();
        }
        database->CommitTrans();
    } catch (const CDaoException&) {
        database->Rollback();
        throw;
    }
}

template <class Read>
int StoreContacts(const std::string& family, Read read) {
    try {
        const std::vector<Contact> contacts = read();
        Store(text::FromUtf8(family), contacts);
        std::cout << text::ToUtf8(
                         Utf8Message("Contacts ajoutés : ", std::to_string(contacts.size())))
                  << '\n';
        return 0;
    } catch (const BadContacts& e) {
        std::cerr << "prixel-host: " << text::ToUtf8(e.what()) << '\n';
    } catch (const CDaoException& e) {
        std::cerr << "prixel-host: " << text::ToUtf8(e.m_strDescription) << '\n';
    }
    return 1;
}

}  // namespace

int AddContact(const std::string& family, const std::vector<std::string>& assignments) {
    return StoreContacts(family,
                         [&] { return std::vector<Contact>{FromAssignments(assignments)}; });
}

int ImportContacts(const std::string& family, const std::string& file) {
    return StoreContacts(family, [&] { return ReadTsv(file); });
}
