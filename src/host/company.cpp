// The stand-in host's company folder.
//
// host.ini holds the host's configuration, in CP1252:
//
//   [Host]
//   CompanyCode=DEMO                  the company code (CParPath::sFirmDefaut, CodeSociete)
//   Rights=350:MODIF,350:PARAM        the rights the user holds, "right:mode", comma-separated
//   SupplierDiscount=1                1: supplier discounts go into the materials
//   PrixelDisabled=0                  the service switch, for a company that has no row in
//                                     RensGeneraux; when it has one, the row's switch is used
//   PricePrecision=2                  decimals of prices
//   Version=8.0.0.1                   the host program's version, four numbers
//   LockWait=5000                     milliseconds a database statement waits for another
//                                     program's lock before it fails
//   [Prices]
//   Types=10001                       the element types that have a price entry, in search order
//   10001=1.2;1.5                     default overhead and sale coefficients of a type
//   [Identity]                        the customer identity: CustomerCode, CompanyName, Address1,
//                                     Address2, Postcode, Town, Phone, Fax, Email, Siret, Ape,
//                                     SerialNumber, Workstations, Mode, Option
//   [Library]
//   Connection=postgresql://h/prixel  the service library on a PostgreSQL server, shared by the
//                                     company folders that name it; absent: prixel/Bib.mdb. Its
//                                     password is never written here: libpq reads it from the
//                                     password file (PGPASSFILE) or the service file

#include "host/company.h"

#include <charconv>
#include <filesystem>
#include <regex>
#include <utility>
#include <vector>

#include "host/application.h"
#include "host/databases.h"
#include "host/paths.h"
#include "host/recordsets.h"
#include "host/schema.h"
#include "host/session.h"
#include "platform/db/driver.h"
#include "platform/db/query.h"
#include "platform/profile.h"
#include "platform/system.h"
#include "platform/text.h"

namespace fs = std::filesystem;

namespace host {

namespace {

constexpr const char* kFolderNotMade = "Impossible de créer le dossier %s.";
constexpr const char* kDatabaseNotMade = "Impossible de créer la base %s :\n";
constexpr const char* kFileNotWritten = "Impossible d'écrire le fichier %s.";
constexpr const char* kNoFolder = "Le dossier %s n'existe pas.";
constexpr const char* kNoHostIni =
    "Le dossier %s n'est pas celui d'une société : le fichier host.ini est introuvable.";
constexpr const char* kDatabasesNotOpened = "Impossible d'ouvrir les bases de la société :\n";
constexpr const char* kNoCompanyOpen = "Aucune société n'est ouverte.";
constexpr const char* kSwitchNotStored = "Impossible d'enregistrer le réglage du service :\n";
constexpr const char* kPasswordInAddress =
    "L'adresse de la bibliothèque contient un mot de passe, qui ne doit pas être écrit dans "
    "host.ini : mettez-le dans le fichier de mots de passe de PostgreSQL (PGPASSFILE) ou dans "
    "un fichier de service.";
constexpr int kDefaultLockWaitMs = 5000;

// A French message (written in UTF-8 here) with value in place of its "%s", in CP1252.
std::string Message(const char* utf8, const std::string& value = "") {
    return text::Replace(text::FromUtf8(utf8), "%s", value);
}

std::string FolderOf(const std::string& dir) {
    return dir.empty() || dir.back() == '/' ? dir : dir + "/";
}

struct Setting {
    const char* section;
    const char* key;
    std::string value;
};

std::vector<Setting> DefaultSettings(const std::string& companyCode) {
    return {
        {"Host", "CompanyCode", companyCode},
        {"Host", "Rights", "350:MODIF,350:PARAM"},
        {"Host", "SupplierDiscount", "1"},
        {"Host", "PrixelDisabled", "0"},
        {"Host", "PricePrecision", "2"},
        {"Host", "Version", "8.0.0.1"},
        {"Host", "LockWait", "5000"},
        {"Prices", "Types", "10001"},
        {"Prices", "10001", "1.2;1.5"},
        {"Identity", "CustomerCode", "C000123"},
        {"Identity", "CompanyName", text::FromUtf8("Bâtiments Durand et Fils")},
        {"Identity", "Address1", "12 rue des Lilas"},
        {"Identity", "Address2", text::FromUtf8("Zone artisanale du Pré")},
        {"Identity", "Postcode", "69003"},
        {"Identity", "Town", "Lyon"},
        {"Identity", "Phone", "04 72 00 00 01"},
        {"Identity", "Fax", "04 72 00 00 02"},
        {"Identity", "Email", "contact@durand-batiment.fr"},
        {"Identity", "Siret", "12345678900012"},
        {"Identity", "Ape", "4120A"},
        {"Identity", "SerialNumber", "VK-2024-000123"},
        {"Identity", "Workstations", "1"},
        {"Identity", "Mode", "0"},
        {"Identity", "Option", "0"},
    };
}

bool WriteDefaultHostIni(const std::string& path, const std::string& companyCode) {
    for (const Setting& setting : DefaultSettings(companyCode)) {
        if (!profile::WriteString(path, setting.section, setting.key, setting.value)) return false;
    }
    return true;
}

// Whether a libpq address carries a password: in the user part of a URI, or as a keyword.
bool HoldsPassword(const std::string& address) {
    static const std::regex password(R"(^postgres(ql)?://[^/?@]*:[^/?@]*@|(^|[\s?&])password\s*=)",
                                     std::regex::icase);
    return std::regex_search(address, password);
}

// Makes the database's tables and the company's own row. A file of the folder is made when
// missing; a library named elsewhere must exist.
void BuildDatabase(const std::string& path, bool inFolder, const DatabaseSchema& schema,
                   const std::string& companyCode) {
    const auto connection = inFolder && !fs::exists(path) ? db::CurrentDriver().Create(path)
                                                          : db::CurrentDriver().Open(path, false);
    connection->Execute(schema.statements);
    if (schema.companyRow.empty()) return;
    const auto insert = connection->Prepare(schema.companyRow);
    insert->Bind(1, companyCode);
    insert->Bind(2, companyCode);
    insert->Step();
}

class HostIni {
  public:
    explicit HostIni(std::string path) : m_path(std::move(path)) {}

    std::string Text(std::string_view section, std::string_view key,
                     std::string_view byDefault = "") const {
        return text::Trim(profile::GetString(m_path, section, key, byDefault));
    }

    int Number(std::string_view section, std::string_view key, int byDefault) const {
        const std::string value = Text(section, key);
        int number = byDefault;
        const auto read = std::from_chars(value.data(), value.data() + value.size(), number);
        return read.ec == std::errc() ? number : byDefault;
    }

  private:
    std::string m_path;
};

std::vector<CPriceEntry> ReadPriceEntries(const HostIni& ini, const CNumberTools& numbers) {
    std::vector<CPriceEntry> entries;
    for (const std::string& type : text::Split(ini.Text("Prices", "Types"), ',')) {
        const std::string name = text::Trim(type);
        const std::vector<std::string> coefficients = text::Split(ini.Text("Prices", name), ';');
        if (name.empty() || coefficients.size() != 2) continue;
        entries.push_back({CCrack::intVARIANT(name), numbers.GetDoubleValue(coefficients[0]),
                           numbers.GetDoubleValue(coefficients[1])});
    }
    return entries;
}

std::vector<std::string> ReadRights(const HostIni& ini) {
    std::vector<std::string> rights;
    for (const std::string& right : text::Split(ini.Text("Host", "Rights"), ',')) {
        if (!text::Trim(right).empty()) rights.push_back(text::Trim(right));
    }
    return rights;
}

CVakoProtection ReadIdentity(const HostIni& ini) {
    CVakoProtection identity;
    identity.m_strCustomerCode = ini.Text("Identity", "CustomerCode");
    identity.m_strCompanyName = ini.Text("Identity", "CompanyName");
    identity.m_strAddress1 = ini.Text("Identity", "Address1");
    identity.m_strAddress2 = ini.Text("Identity", "Address2");
    identity.m_strPostcode = ini.Text("Identity", "Postcode");
    identity.m_strTown = ini.Text("Identity", "Town");
    identity.m_strPhone = ini.Text("Identity", "Phone");
    identity.m_strFax = ini.Text("Identity", "Fax");
    identity.m_strEmail = ini.Text("Identity", "Email");
    identity.m_strSiret = ini.Text("Identity", "Siret");
    identity.m_strApe = ini.Text("Identity", "Ape");
    identity.m_strSerialNumber = ini.Text("Identity", "SerialNumber");
    identity.m_nWorkstations = ini.Number("Identity", "Workstations", 1);
    identity.m_nMode = ini.Number("Identity", "Mode", 0);
    identity.m_nOption = ini.Number("Identity", "Option", 0);
    return identity;
}

void LoadApplication(const HostIni& ini, CHostApp& app) {
    app.m_NumberTools = CNumberTools(ini.Number("Host", "PricePrecision", 2));
    app.m_PriceEntries = ReadPriceEntries(ini, app.m_NumberTools);
    app.m_bSupplierDiscount = ini.Number("Host", "SupplierDiscount", 1) != 0;
    app.m_bPrixelDisabled = ini.Number("Host", "PrixelDisabled", 0);
    app.m_Protection = ReadIdentity(ini);
    app.m_Rights = ReadRights(ini);
}

// The four numbers of "a.b.c.d"; zeros when the text is not that.
sys::Version ReadVersion(const HostIni& ini) {
    const std::vector<std::string> parts = text::Split(ini.Text("Host", "Version"), '.');
    sys::Version version{};
    if (parts.size() != version.size()) return version;
    for (std::size_t i = 0; i < parts.size(); ++i) version[i] = CCrack::intVARIANT(parts[i]);
    return version;
}

void OpenDatabases(Session& session) {
    for (const DatabaseSchema& schema : CompanyDatabases()) {
        if (schema.which == 0) continue;
        auto database = std::make_unique<CDaoDatabase>();
        database->Open(session.folder + schema.file);
        session.databases[schema.which] = std::move(database);
    }
}

// The company's service switch from its RensGeneraux row, when it has one.
void LoadServiceSwitch(Session& session, const std::string& companyCode) {
    CRensGeSt folder(session.databases.at(mdDossier).get());
    folder.m_strFilter = db::FormatQuery("[CodeSociete] = '%s'", companyCode);
    folder.Open();
    if (!folder.IsEOF()) session.app.m_bPrixelDisabled = folder.m_nPrixelDesactive;
    folder.Close();
}

// The service switch of the current company's RensGeneraux row, when it has one. Throws
// CDaoException.
void WriteFolderSwitch(CDaoDatabase& database, int disabled) {
    CRensGeSt folder(&database);
    folder.m_strFilter = db::FormatQuery("[CodeSociete] = '%s'", CParPath::sFirmDefaut);
    folder.Open();
    if (folder.IsEOF()) return;
    folder.Edit();
    folder.m_nPrixelDesactive = disabled;
    folder.Update();
}

}  // namespace

bool CreateCompany(const std::string& dir, const CompanyOptions& options, std::string& error) {
    if (HoldsPassword(options.library)) {
        error = Message(kPasswordInAddress);
        return false;
    }
    const std::string folder = FolderOf(dir);
    for (const char* sub : {"", "prixel", "server"}) {
        std::error_code failure;
        fs::create_directories(folder + sub, failure);
        if (failure || !fs::is_directory(folder + sub)) {
            error = Message(kFolderNotMade, folder + sub);
            return false;
        }
    }
    const std::string library = options.library.empty() ? LibraryOf(folder) : options.library;
    for (const DatabaseSchema& schema : CompanyDatabases()) {
        const std::string path = schema.which == 0 ? library : folder + schema.file;
        try {
            BuildDatabase(path, path == folder + schema.file, schema, options.companyCode);
        } catch (const CDaoException& e) {
            error = Message(kDatabaseNotMade, path) + e.m_strDescription;
            return false;
        }
    }
    const std::string hostIni = folder + "host.ini";
    if ((!fs::exists(hostIni) && !WriteDefaultHostIni(hostIni, options.companyCode)) ||
        (!options.library.empty() &&
         !profile::WriteString(hostIni, "Library", "Connection", options.library))) {
        error = Message(kFileNotWritten, hostIni);
        return false;
    }
    const std::string prixelIni = folder + "Prixel.ini";
    if (!options.serverAddr.empty() &&
        !profile::WriteString(prixelIni, "PrixelCustomerKey", "ServerAddr", options.serverAddr)) {
        error = Message(kFileNotWritten, prixelIni);
        return false;
    }
    return true;
}

bool OpenCompany(const std::string& dir, std::string& error) {
    CloseCompany();
    const std::string folder = FolderOf(dir);
    if (!fs::is_directory(folder)) {
        error = Message(kNoFolder, dir);
        return false;
    }
    if (!fs::is_regular_file(folder + "host.ini")) {
        error = Message(kNoHostIni, dir);
        return false;
    }
    const HostIni ini(folder + "host.ini");
    const std::string companyCode = ini.Text("Host", "CompanyCode");
    auto session = std::make_unique<Session>();
    session->folder = folder;
    session->library = LibraryOf(folder);
    LoadApplication(ini, session->app);
    try {
        db::CurrentDriver().SetLockWait(ini.Number("Host", "LockWait", kDefaultLockWaitMs));
        OpenDatabases(*session);
        LoadServiceSwitch(*session, companyCode);
    } catch (const CDaoException& e) {
        error = Message(kDatabasesNotOpened) + e.m_strDescription;
        return false;
    }
    CParPath::sFirmDefaut = companyCode;
    CParPath::sCurrentPath = folder;
    CParPath::sServeurDataPath = folder + "server/";
    sys::SetHostVersion(ReadVersion(ini));
    SetCurrentSession(std::move(session));
    return true;
}

bool SetServiceSwitch(bool on, std::string& error) {
    Session* session = CurrentSession();
    if (session == nullptr) {
        error = Message(kNoCompanyOpen);
        return false;
    }
    const std::string hostIni = session->folder + "host.ini";
    const std::string before = profile::GetString(hostIni, "Host", "PrixelDisabled", "0");
    const int disabled = on ? 0 : 1;
    if (!profile::WriteString(hostIni, "Host", "PrixelDisabled", std::to_string(disabled))) {
        error = Message(kFileNotWritten, hostIni);
        return false;
    }
    try {
        WriteFolderSwitch(*session->databases.at(mdDossier), disabled);
    } catch (const CDaoException& e) {
        profile::WriteString(hostIni, "Host", "PrixelDisabled", before);
        error = Message(kSwitchNotStored) + e.m_strDescription;
        return false;
    }
    session->app.m_bPrixelDisabled = disabled;
    return true;
}

void CloseCompany() {
    SetCurrentSession(nullptr);
    CParPath::sFirmDefaut.clear();
    CParPath::sCurrentPath.clear();
    CParPath::sServeurDataPath.clear();
}

std::string DatabaseFileOf(const std::string& dir, const std::string& table) {
    const std::string wanted = text::MakeUpper(table);
    for (const DatabaseSchema& schema : CompanyDatabases()) {
        for (const std::string& name : schema.tables) {
            if (text::MakeUpper(name) != wanted) continue;
            return schema.which == 0 ? LibraryOf(dir) : FolderOf(dir) + schema.file;
        }
    }
    return {};
}

std::string LibraryOf(const std::string& dir) {
    const std::string named = HostIni(FolderOf(dir) + "host.ini").Text("Library", "Connection");
    return named.empty() ? FolderOf(dir) + CompanyDatabases().front().file : named;
}

}  // namespace host
