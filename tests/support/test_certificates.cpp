#include "support/test_certificates.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace {

const char* const kKey = "-newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes";

}  // namespace

TestCertificates::TestCertificates() {
    std::ofstream(m_dir.File("server.ext")) << "subjectAltName=DNS:localhost,IP:127.0.0.1\n"
                                               "basicConstraints=CA:FALSE\n"
                                               "extendedKeyUsage=serverAuth\n";
    Run(std::string("req -x509 ") + kKey + " -keyout ca.key -out ca.pem -days 2" +
        " -subj /CN=Prixel-Test-CA -addext basicConstraints=critical,CA:TRUE" +
        " -addext keyUsage=critical,keyCertSign,cRLSign");
    Run(std::string("req ") + kKey + " -keyout server.key -out server.csr -subj /CN=localhost");
    Run("x509 -req -in server.csr -CA ca.pem -CAkey ca.key -CAcreateserial -days 2"
        " -extfile server.ext -out server.pem");
}

void TestCertificates::Run(const std::string& arguments) const {
    std::string command =
        "cd '" + m_dir.Path().string() + "' && openssl " + arguments + " >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0) throw std::runtime_error("openssl failed: " + arguments);
}
