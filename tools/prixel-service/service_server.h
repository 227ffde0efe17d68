#pragma once
// The HTTPS server on loopback: the addresses of the request grammar, the catalogue pages a
// person works on, and the admin controls.

#include <httplib.h>

#include <string>

#include "admin_controls.h"
#include "catalogue_store.h"
#include "service_answers.h"

class ServiceServer {
  public:
    // advertised: the server part of header lines; empty for the address the client used.
    ServiceServer(CatalogueStore& store, const std::string& certFile, const std::string& keyFile,
                  std::string advertised);

    bool IsValid() const { return m_server.is_valid(); }
    // Binds 127.0.0.1 on port (0 picks a free one) and answers the bound port, -1 on failure.
    int Bind(int port);
    void Run() { m_server.listen_after_bind(); }
    void Stop() { m_server.stop(); }

  private:
    void RegisterPages();
    void ServeAddress(const httplib::Request& request, httplib::Response& response);
    void ServeCatalogue(const httplib::Request& request, httplib::Response& response);
    void ServePick(const httplib::Request& request, httplib::Response& response);
    void ServeAccount(const httplib::Request& request, httplib::Response& response);
    void SendAnswer(const httplib::Request& request, const ServicePage& page,
                    httplib::Response& response);
    std::string OwnAddress(const httplib::Request& request) const;

    CatalogueStore& m_store;
    ServiceAnswers m_answers;
    AnswerFaults m_faults;
    AddressLog m_log;
    AdminControls m_admin;
    httplib::SSLServer m_server;
    std::string m_advertised;
    int m_port = 0;
};
