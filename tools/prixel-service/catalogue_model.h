#pragma once
// The stand-in service's catalogue: makers with their current tariff, and articles. Texts are
// UTF-8 here; pages and answers are turned into windows-1252 only when they are sent.

#include <string>
#include <vector>

struct Maker {
    std::string id;      // 1 to 8 characters
    std::string prefix;  // 1 to 5 characters, the first part of its articles' codes
    std::string name;
    std::string tariffDate;   // YYYYMMDD
    std::string version;      // version text of the current tariff
    bool fullUpdate = false;  // asks the customers to refresh every article of the maker
};

struct SupplierOffer {
    std::string code;
    double coefficient = 1.0;  // net price over list price
    int deliveryDays = 0;
};

struct Article {
    std::string makerId;
    std::string prefix;
    std::string reference;  // 1 to 13 characters
    std::string label;
    std::string unit;
    double listPrice = 0.0;
    std::string packaging;
    int packQuantity = 1;
    std::string discountCode;
    std::string discountLabel;
    std::vector<std::string> familyCodes;   // outermost first
    std::vector<std::string> familyLabels;  // at most 18 characters each
    std::string ean;
    double ecoContribution = 0.0;
    std::string availability;
    int warrantyMonths = 0;
    double weight = 0.0;  // kilograms
    double length = 0.0;  // metres
    double width = 0.0;
    double height = 0.0;
    std::string oldCode;
    std::vector<SupplierOffer> suppliers;
    bool fixedPrice = false;
    bool withdrawn = false;

    std::string Code() const { return prefix + reference; }
};

struct Catalogue {
    std::vector<Maker> makers;
    std::vector<Article> articles;
};

// A customer recorded by the service, with the identity it was given.
struct Customer {
    std::string number;
    std::string computer;
    std::string rights;
};
