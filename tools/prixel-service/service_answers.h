#pragma once
// What the service answers to each address of the request grammar: pages for people (kinds 0
// to 4 and 9) and enveloped answers (kinds 5 to 8 and the recuperation address).

#include <string>
#include <vector>

#include "catalogue_store.h"
#include "service_request.h"

struct ServicePage {
    std::string html;  // UTF-8; sent in windows-1252
    bool isAnswer = false;
    std::string answer;  // the answer text of an enveloped page, header line first
};

class ServiceAnswers {
  public:
    static constexpr int kSearchLimit = 100;

    explicit ServiceAnswers(CatalogueStore& store) : m_store(store) {}

    // ownAddress: the service's own address as the header lines give it.
    ServicePage Answer(const ServiceRequest& request, const std::string& ownAddress);

    // The identity a header line gives back: the recorded customer's, or an empty one.
    RequestIdentity AssignedIdentity(const RequestIdentity& asked, const std::string& ownAddress);

    // The articles a comma- or bar-separated parameter names, as article records.
    std::string RecordsFor(const std::vector<std::string>& parts);
    std::string RecordsOf(const std::vector<Article>& articles);
    std::string MakerLines();

    // The search text of a catalogue parameter: what follows its fifth "|".
    static std::string SearchText(const std::string& param);

  private:
    ServicePage Sheet(const ServiceRequest& request);
    ServicePage Recording(const ServiceRequest& request, const std::string& ownAddress);
    ServicePage SupplierBatch(const ServiceRequest& request, const std::string& ownAddress);
    std::vector<Article> FindArticles(const std::vector<std::string>& parts);

    CatalogueStore& m_store;
};

std::vector<std::string> SplitText(const std::string& text, char separator);
