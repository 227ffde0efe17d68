#pragma once
// Certificates for HTTPS servers in tests, in a fresh folder, made as the stand-in service makes
// its own: a certificate authority of its own and a server certificate for localhost and
// 127.0.0.1 signed by it. Nothing trusts that authority unless told to.

#include <string>

#include "certificate_maker.h"
#include "support/temp_dir.h"

class TestCertificates {
  public:
    // PEM files.
    std::string CaFile() const { return m_files.authority; }
    std::string ServerCertFile() const { return m_files.certificate; }
    std::string ServerKeyFile() const { return m_files.key; }

  private:
    TempDir m_dir;
    CertificateFiles m_files = MakeCertificates(m_dir.Path());
};
