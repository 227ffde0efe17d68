#pragma once
// A certificate authority of its own and a server certificate it signs for 127.0.0.1 and
// localhost, so that clients can check the service with the authority's certificate alone.

#include <filesystem>

struct CertificateFiles {
    std::filesystem::path authority;    // ca.pem
    std::filesystem::path certificate;  // server.pem
    std::filesystem::path key;          // server.key
};

// Writes ca.pem, ca.key, server.pem and server.key into folder (made when missing), or keeps
// them when all four are already there. Throws std::runtime_error when OpenSSL fails.
CertificateFiles MakeCertificates(const std::filesystem::path& folder);
