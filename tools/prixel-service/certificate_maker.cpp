#include "certificate_maker.h"

#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <ctime>
#include <memory>
#include <stdexcept>
#include <string>

namespace {

constexpr long kValidDays = 3650;

using KeyPtr = std::unique_ptr<EVP_PKEY, decltype(&EVP_PKEY_free)>;
using CertPtr = std::unique_ptr<X509, decltype(&X509_free)>;
using BioPtr = std::unique_ptr<BIO, decltype(&BIO_free)>;

void Check(bool ok, const char* what) {
    if (!ok) throw std::runtime_error(std::string("OpenSSL: ") + what);
}

KeyPtr NewKey() {
    KeyPtr key(EVP_EC_gen("P-256"), EVP_PKEY_free);
    Check(key != nullptr, "key generation");
    return key;
}

void AddExtension(X509* cert, X509* issuer, int nid, const char* value) {
    X509V3_CTX context;
    X509V3_set_ctx_nodb(&context);
    X509V3_set_ctx(&context, issuer, cert, nullptr, nullptr, 0);
    X509_EXTENSION* extension = X509V3_EXT_conf_nid(nullptr, &context, nid, value);
    Check(extension != nullptr, "certificate extension");
    X509_add_ext(cert, extension, -1);
    X509_EXTENSION_free(extension);
}

CertPtr NewCertificate(EVP_PKEY* key, const char* commonName, long serial) {
    CertPtr cert(X509_new(), X509_free);
    Check(cert != nullptr, "certificate");
    X509_set_version(cert.get(), 2);
    ASN1_INTEGER_set(X509_get_serialNumber(cert.get()), serial);
    X509_gmtime_adj(X509_getm_notBefore(cert.get()), -3600);
    X509_gmtime_adj(X509_getm_notAfter(cert.get()), kValidDays * 24 * 3600);
    X509_set_pubkey(cert.get(), key);
    X509_NAME* name = X509_get_subject_name(cert.get());
    X509_NAME_add_entry_by_txt(name, "O", MBSTRING_ASC,
                               reinterpret_cast<const unsigned char*>("Vako Prixel (essai)"), -1,
                               -1, 0);
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC,
                               reinterpret_cast<const unsigned char*>(commonName), -1, -1, 0);
    return cert;
}

void Sign(X509* cert, X509* issuer, EVP_PKEY* issuerKey) {
    X509_set_issuer_name(cert, X509_get_subject_name(issuer));
    Check(X509_sign(cert, issuerKey, EVP_sha256()) > 0, "signature");
}

void WriteCertificate(const std::filesystem::path& path, X509* cert) {
    BioPtr file(BIO_new_file(path.c_str(), "w"), BIO_free);
    Check(file != nullptr && PEM_write_bio_X509(file.get(), cert) == 1, "writing a certificate");
}

void WriteKey(const std::filesystem::path& path, EVP_PKEY* key) {
    BioPtr file(BIO_new_file(path.c_str(), "w"), BIO_free);
    Check(file != nullptr &&
              PEM_write_bio_PrivateKey(file.get(), key, nullptr, nullptr, 0, nullptr, nullptr) == 1,
          "writing a key");
    std::filesystem::permissions(
        path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
}

}  // namespace

CertificateFiles MakeCertificates(const std::filesystem::path& folder) {
    const CertificateFiles files{folder / "ca.pem", folder / "server.pem", folder / "server.key"};
    const std::filesystem::path authorityKey = folder / "ca.key";
    if (std::filesystem::exists(files.authority) && std::filesystem::exists(files.certificate) &&
        std::filesystem::exists(files.key) && std::filesystem::exists(authorityKey))
        return files;
    std::filesystem::create_directories(folder);

    // Serials differ from one making to the next, as clients expect of one issuer's name.
    const long serial = static_cast<long>(std::time(nullptr)) * 2;
    KeyPtr caKey = NewKey();
    CertPtr ca = NewCertificate(caKey.get(), "Autorite de test Vako Prixel", serial);
    AddExtension(ca.get(), ca.get(), NID_basic_constraints, "critical,CA:TRUE");
    AddExtension(ca.get(), ca.get(), NID_key_usage, "critical,keyCertSign,cRLSign");
    AddExtension(ca.get(), ca.get(), NID_subject_key_identifier, "hash");
    Sign(ca.get(), ca.get(), caKey.get());

    KeyPtr serverKey = NewKey();
    CertPtr server = NewCertificate(serverKey.get(), "localhost", serial + 1);
    AddExtension(server.get(), ca.get(), NID_basic_constraints, "critical,CA:FALSE");
    AddExtension(server.get(), ca.get(), NID_key_usage, "critical,digitalSignature");
    AddExtension(server.get(), ca.get(), NID_ext_key_usage, "serverAuth");
    AddExtension(server.get(), ca.get(), NID_subject_alt_name, "IP:127.0.0.1,DNS:localhost");
    AddExtension(server.get(), ca.get(), NID_authority_key_identifier, "keyid:always");
    Sign(server.get(), ca.get(), caKey.get());

    WriteCertificate(files.authority, ca.get());
    WriteKey(authorityKey, caKey.get());
    WriteCertificate(files.certificate, server.get());
    WriteKey(files.key, serverKey.get());
    return files;
}
