#pragma once
// The stand-in host program against the stand-in service over HTTPS: a company folder "SOC" made
// by the host program, the service started on a free loopback port and reached as localhost.

#include <gtest/gtest.h>

#include <string>

#include "platform/profile.h"
#include "support/running_service.h"
#include "support/temp_dir.h"

class HostServiceTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(m_service.Port(), 0);
        ASSERT_EQ(Host("init --server localhost --company SOC"),
                  "Dossier de société créé : " + m_company + "\n");
    }

    // The shell command that runs the host program on the company.
    std::string HostCommand(const std::string& arguments) const {
        return "PRIXEL_CA_FILE='" + m_service.CaFile() +
               "' PRIXEL_CONNECT_TO='localhost:443:127.0.0.1:" + std::to_string(m_service.Port()) +
               "' " + PRIXEL_HOST_EXE + " --data '" + m_company + "' " + arguments;
    }
    // Runs the host program on the company; answers its standard output, and its standard
    // error too when both is set.
    std::string Host(const std::string& arguments, bool both = false) {
        return CommandOutput(HostCommand(arguments) + (both ? " 2>&1" : " 2>/dev/null"));
    }
    // What the service's admin page at pathAndQuery shows.
    std::string Admin(const std::string& pathAndQuery) {
        return CommandOutput("curl -s --cacert '" + m_service.CaFile() + "' 'https://127.0.0.1:" +
                             std::to_string(m_service.Port()) + pathAndQuery + "'");
    }
    // The codes a person sees first on the catalogue page for search, joined by ",".
    std::string ShownCodes(const std::string& search, int count) {
        return CommandOutput("curl -s --cacert '" + m_service.CaFile() + "' 'https://127.0.0.1:" +
                             std::to_string(m_service.Port()) + "/catalogue?stamp=t&q=" + search +
                             "' | grep -o '<TR><TD>[^<]*</TD>' | sed 's/<TR><TD>//; s/<.TD>//' "
                             "| head -" +
                             std::to_string(count) + " | paste -sd, - | tr -d '\\n'");
    }
    // sqlite3's answer to query on a database file of the company.
    std::string Sql(const std::string& file, const std::string& query) {
        return CommandOutput("sqlite3 '" + m_company + "/" + file + "' \"" + query + "\"");
    }
    // sqlite3's answer to query on the service's catalogue.
    std::string CatalogueSql(const std::string& query) {
        return CommandOutput("sqlite3 '" + m_dir.File("data/catalogue.sqlite") + "' \"" + query +
                             "\"");
    }
    std::string Stored(const char* key) {
        return profile::GetString(m_company + "/Prixel.ini", "PrixelCustomerKey", key, "");
    }

    TempDir m_dir;
    RunningService m_service{m_dir, "localhost"};
    std::string m_company = m_dir.File("company");
};
