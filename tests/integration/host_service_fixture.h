#pragma once
// The stand-in host program on a company folder it made (HostProgramTest), and against the
// stand-in service over HTTPS (HostServiceTest): a company "SOC", the service started on a free
// loopback port and reached as localhost.

#include <gtest/gtest.h>

#include <unistd.h>

#include <string>

#include "platform/profile.h"
#include "support/postgres_cluster.h"
#include "support/running_service.h"
#include "support/temp_dir.h"

class HostProgramTest : public testing::Test {
  protected:
    void SetUp() override { MakeCompany(""); }

    void MakeCompany(const std::string& options) {
        const std::string library = m_library.empty() ? "" : " --library '" + m_library + "'";
        ASSERT_EQ(Host("init" + options + library),
                  "Dossier de société créé : " + m_company + "\n");
    }
    // The shell command that runs the host program on the company, or on another folder.
    std::string HostCommand(const std::string& arguments, const std::string& folder = "") const {
        return Environment() + PRIXEL_HOST_EXE + " --data '" +
               (folder.empty() ? m_company : folder) + "' " + arguments;
    }
    // What the host program's command sets in its environment first.
    virtual std::string Environment() const { return ""; }
    // Runs the host program on the company; answers its standard output, and its standard
    // error too when both is set.
    std::string Host(const std::string& arguments, bool both = false) const {
        return CommandOutput(HostCommand(arguments) + (both ? " 2>&1" : " 2>/dev/null"));
    }
    // sqlite3's answer to query on a database file of the company.
    std::string Sql(const std::string& file, const std::string& query) const {
        return CommandOutput("sqlite3 '" + m_company + "/" + file + "' \"" + query + "\"");
    }
    // The service library's answer to query: sqlite3's on the folder's file, or psql's on the
    // library on a server that the company names.
    std::string LibrarySql(const std::string& query) const {
        if (m_library.empty()) return Sql("prixel/Bib.mdb", query);
        return CommandOutput("psql -X -q -At -d '" + m_library + "' -c \"" + query + "\"");
    }
    // The library's answer to the query, without its last line end.
    std::string Value(const std::string& query) const {
        std::string value = LibrarySql(query);
        if (!value.empty() && value.back() == '\n') value.pop_back();
        return value;
    }

    TempDir m_dir;
    std::string m_company = m_dir.File("company");
    // The library on a PostgreSQL server that the company names; empty: the folder's own.
    std::string m_library;
};

class HostServiceTest : public HostProgramTest {
  protected:
    void SetUp() override {
        ASSERT_NE(m_service.Port(), 0);
        MakeCompany(" --server localhost --company SOC");
    }

    std::string Environment() const override {
        return "PRIXEL_CA_FILE='" + m_service.CaFile() +
               "' PRIXEL_CONNECT_TO='localhost:443:127.0.0.1:" + std::to_string(m_service.Port()) +
               "' ";
    }
    // What the service's admin page at pathAndQuery shows.
    std::string Admin(const std::string& pathAndQuery) const {
        return CommandOutput("curl -s --cacert '" + m_service.CaFile() + "' 'https://127.0.0.1:" +
                             std::to_string(m_service.Port()) + pathAndQuery + "'");
    }
    // The codes a person sees first on the catalogue page for search, joined by ",".
    std::string ShownCodes(const std::string& search, int count) const {
        return CommandOutput("curl -s --cacert '" + m_service.CaFile() + "' 'https://127.0.0.1:" +
                             std::to_string(m_service.Port()) + "/catalogue?stamp=t&q=" + search +
                             "' | grep -o '<TR><TD>[^<]*</TD>' | sed 's/<TR><TD>//; s/<.TD>//' "
                             "| head -" +
                             std::to_string(count) + " | paste -sd, - | tr -d '\\n'");
    }
    // sqlite3's answer to query on the service's catalogue.
    std::string CatalogueSql(const std::string& query) const {
        return Sql("../data/catalogue.sqlite", query);
    }
    std::string Stored(const char* key) const {
        return profile::GetString(m_company + "/Prixel.ini", "PrixelCustomerKey", key, "");
    }

    RunningService m_service{m_dir, "localhost"};
};

// A fresh database of the test program's PostgreSQL cluster, for a library.
inline std::string NewPostgresLibrary() {
    static int made = 0;
    return SharedPostgresCluster().CreateDatabase("library_" + std::to_string(::getpid()) + "_" +
                                                  std::to_string(++made));
}

// A fixture whose company names a library of its own on the PostgreSQL cluster.
template <class Fixture>
class OnPostgresLibrary : public Fixture {
  protected:
    OnPostgresLibrary() { this->m_library = NewPostgresLibrary(); }
};

// Names the typed tests of a fixture run on the folder's SQLite library and on PostgreSQL.
struct LibraryEngineName {
    template <class T>
    static std::string GetName(int index) {
        return index == 0 ? "SQLite" : "PostgreSQL";
    }
};
