#pragma once
// A facade on an open company "SOC" whose service is srv.example, with the in-memory browser and
// the headless UI of the web exchange fixture.

#include <memory>
#include <string>

#include "connection/prixel_settings.h"
#include "connection/web_fixture.h"
#include "host/company.h"
#include "module/prixel_ctrl.h"
#include "platform/profile.h"

class AccountTest : public WebExchangeTest {
  protected:
    static constexpr const char* kService = "https://srv.example/";
    static constexpr const char* kNoConnection = "Impossible de se connecter à Vako Prixel.\n";

    void SetUp() override {
        std::string error;
        ASSERT_TRUE(host::CreateCompany(m_dir.Folder(), {"SOC", "srv.example"}, error)) << error;
        ASSERT_TRUE(host::OpenCompany(m_dir.Folder(), error)) << error;
        WebExchangeTest::SetUp();
        m_prixel = std::make_unique<CPrixelCtrl>();
    }
    void TearDown() override {
        m_prixel.reset();
        WebExchangeTest::TearDown();
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

    std::unique_ptr<CPrixelCtrl> m_prixel;
};
