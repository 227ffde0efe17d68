#pragma once
// A facade on an open company "SOC" whose service is srv.example.

#include <string>

#include "connection/prixel_settings.h"
#include "host/company.h"
#include "module/module_fixture.h"
#include "platform/profile.h"

class AccountTest : public ModuleTest {
  protected:
    static constexpr const char* kService = "https://srv.example/";
    static constexpr const char* kNoConnection = "Impossible de se connecter à Vako Prixel.\n";

    void SetUp() override {
        std::string error;
        ASSERT_TRUE(host::CreateCompany(m_dir.Folder(), {"SOC", "srv.example", ""}, error))
            << error;
        ASSERT_TRUE(host::OpenCompany(m_dir.Folder(), error)) << error;
        ModuleTest::SetUp();
    }
    void TearDown() override {
        ModuleTest::TearDown();
        host::CloseCompany();
    }

    static std::string AnswerPage(const std::string& answer) {
        return "<HTML><BODY><PRE>" + answer + "</PRE></BODY></HTML>";
    }
    std::string Stored(const char* key) {
        return profile::GetString(PrixelIniPath(), "PrixelCustomerKey", key, "<absent>");
    }
    // The parameter of a request of the kind whose code is given: what stands between the code
    // and the empty stamp.
    static std::string ParameterOf(const std::string& address, const std::string& code) {
        const size_t start = address.find("_" + code + "_") + code.size() + 2;
        return address.substr(start, address.find("__", start) - start);
    }
};
