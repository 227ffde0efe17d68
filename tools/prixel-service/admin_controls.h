#pragma once
// Controls for tests and demonstrations, reached under /admin from this machine only: tariff
// changes, withdrawn articles, slow, oversized and malformed answers, picks without a browser,
// the log of the addresses received and the supplier batches received (one a line,
// "customer<TAB>batch").

#include <httplib.h>

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "catalogue_store.h"

// How the service's answers are spoilt on purpose.
struct AnswerFaults {
    std::atomic<int> delayMs{0};
    std::atomic<long long> oversizeBytes{0};  // 0: answers keep their size
    std::atomic<bool> malformed{false};
};

class AddressLog {
  public:
    void Add(const std::string& address);
    std::vector<std::string> Lines();
    void Clear();

  private:
    std::mutex m_mutex;
    std::vector<std::string> m_lines;
};

bool IsLoopback(const std::string& address);

// Pads an answer page to exactly size bytes, after its envelope; a page already as long is kept.
std::string PadPage(std::string page, long long size);

class AdminControls {
  public:
    AdminControls(CatalogueStore& store, AnswerFaults& faults, AddressLog& log)
        : m_store(store), m_faults(faults), m_log(log) {}

    void Register(httplib::Server& server);

  private:
    using Handler = std::string (AdminControls::*)(const httplib::Request&);
    void Route(httplib::Server& server, const std::string& path, Handler handler);

    std::string Tariff(const httplib::Request& request);
    std::string Withdraw(const httplib::Request& request);
    std::string Delay(const httplib::Request& request);
    std::string Oversize(const httplib::Request& request);
    std::string Malformed(const httplib::Request& request);
    std::string Log(const httplib::Request& request);
    std::string Pick(const httplib::Request& request);
    std::string Suppliers(const httplib::Request& request);
    std::string Reset(const httplib::Request& request);

    CatalogueStore& m_store;
    AnswerFaults& m_faults;
    AddressLog& m_log;
};
