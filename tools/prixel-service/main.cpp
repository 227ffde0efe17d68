// prixel-service: the stand-in online price-catalogue service, over HTTPS on loopback.
//   prixel-service --port N [--cert F --key F | --make-cert DIR] [--data DIR] [--seed S]
// The first line written is "port N", the port it listens on. SIGTERM or SIGINT stop it.

#include <signal.h>
#include <CLI/CLI.hpp>

#include <filesystem>
#include <iostream>
#include <thread>

#include "catalogue_generator.h"
#include "catalogue_store.h"
#include "certificate_maker.h"
#include "service_server.h"

namespace {

struct Options {
    int port = 0;
    std::string cert;
    std::string key;
    std::string makeCert;
    std::string data = "prixel-service-data";
    unsigned seed = 1;
    std::string advertise;
};

void OpenCatalogue(CatalogueStore& store, unsigned seed) {
    if (!store.IsEmpty()) return;
    store.Fill(GenerateCatalogue(seed));
}

sigset_t StopSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    return signals;
}

int Serve(const Options& options) {
    std::string cert = options.cert;
    std::string key = options.key;
    if (!options.makeCert.empty()) {
        const CertificateFiles files = MakeCertificates(options.makeCert);
        cert = files.certificate.string();
        key = files.key.string();
    }
    std::filesystem::create_directories(options.data);
    CatalogueStore store((std::filesystem::path(options.data) / "catalogue.sqlite").string());
    OpenCatalogue(store, options.seed);

    // Blocked before any thread starts, so that only the wait below receives them.
    const sigset_t signals = StopSignals();
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    ServiceServer server(store, cert, key, options.advertise);
    if (!server.IsValid()) {
        std::cerr << "prixel-service: certificate or key unusable: " << cert << ", " << key << "\n";
        return 1;
    }
    const int port = server.Bind(options.port);
    if (port < 0) {
        std::cerr << "prixel-service: cannot listen on 127.0.0.1:" << options.port << "\n";
        return 1;
    }
    std::cout << "port " << port << std::endl;
    std::thread listener([&server] { server.Run(); });
    int received = 0;
    sigwait(&signals, &received);
    server.Stop();
    listener.join();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"Stand-in online price-catalogue service, over HTTPS on 127.0.0.1"};
    Options options;
    app.add_option("--port", options.port, "Port to listen on; 0 picks a free one")
        ->check(CLI::Range(0, 65535));
    auto* cert = app.add_option("--cert", options.cert, "Server certificate (PEM)")
                     ->check(CLI::ExistingFile);
    auto* key =
        app.add_option("--key", options.key, "Server private key (PEM)")->check(CLI::ExistingFile);
    auto* make = app.add_option("--make-cert", options.makeCert,
                                "Folder where a test authority and server certificate are made");
    cert->needs(key);
    key->needs(cert);
    make->excludes(cert)->excludes(key);
    app.add_option("--data", options.data, "Folder of the catalogue database")
        ->capture_default_str();
    app.add_option("--seed", options.seed, "Seed of a newly generated catalogue")
        ->capture_default_str();
    app.add_option("--advertise", options.advertise,
                   "Server part of header lines (default: the address the client used)");
    CLI11_PARSE(app, argc, argv);
    if (options.cert.empty() && options.makeCert.empty()) {
        std::cerr << "prixel-service: give --cert and --key, or --make-cert DIR\n";
        return 2;
    }
    try {
        return Serve(options);
    } catch (const std::exception& error) {
        std::cerr << "prixel-service: " << error.what() << "\n";
        return 1;
    }
}
