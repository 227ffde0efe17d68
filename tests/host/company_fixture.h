#pragma once
// A company folder made and opened in a temporary folder, closed at the end.

#include <gtest/gtest.h>

#include <string>

#include "host/company.h"
#include "support/temp_dir.h"

class HostCompanyFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(host::CreateCompany(m_dir.Folder(), {}, error)) << error;
        ASSERT_TRUE(host::OpenCompany(m_dir.Folder(), error)) << error;
    }
    void TearDown() override { host::CloseCompany(); }

    std::string Reopen() {
        std::string error;
        host::CloseCompany();
        host::OpenCompany(m_dir.Folder(), error);
        return error;
    }

    TempDir m_dir;
};
