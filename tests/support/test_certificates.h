#pragma once
// Certificates for HTTPS servers in tests, made with the openssl command in a fresh folder: a
// certificate authority of its own, and a server certificate for localhost and 127.0.0.1 signed
// by it. Nothing trusts that authority unless told to.

#include <string>

#include "support/temp_dir.h"

class TestCertificates {
  public:
    TestCertificates();

    // PEM files.
    std::string CaFile() const { return m_dir.File("ca.pem"); }
    std::string ServerCertFile() const { return m_dir.File("server.pem"); }
    std::string ServerKeyFile() const { return m_dir.File("server.key"); }

  private:
    void Run(const std::string& arguments) const;

    TempDir m_dir;
};
