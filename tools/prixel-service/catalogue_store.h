#pragma once
// The service's data, kept in one SQLite file of its data folder: the catalogue, the picks of
// catalogue pages under their stamp, the recorded customers and the suppliers they sent.

#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "catalogue_model.h"
#include "sqlite_file.h"

class CatalogueStore {
  public:
    inline static const std::string kGrantedRights = "CATALOGUE;TARIFS";

    explicit CatalogueStore(const std::string& path);

    bool IsEmpty();
    void Fill(const Catalogue& catalogue);

    std::vector<Maker> Makers();
    // By identifier, or else by prefix.
    std::optional<Maker> FindMaker(const std::string& idOrPrefix);
    int CountArticles(const std::string& makerId);
    // The number of articles of every maker that has some, by identifier.
    std::map<std::string, int> ArticleCounts();
    std::optional<Article> FindArticle(const std::string& code);
    // Articles whose label or code holds every word of the text, at most limit of them.
    std::vector<Article> Search(const std::string& text, int limit);
    std::vector<Article> ArticlesOf(const std::string& makerId);

    // A new tariff for a maker: its date (YYYYMMDD) and version, its list prices times factor.
    bool ChangeTariff(const std::string& makerId, const std::string& date,
                      const std::string& version, double factor);
    bool Withdraw(const std::string& code);

    void Pick(const std::string& stamp, const std::string& code);
    void Unpick(const std::string& stamp, const std::string& code);
    std::vector<Article> Picked(const std::string& stamp);
    // The picks of stamp, which are then forgotten: a selection is handed over once, and a later
    // session that draws the same stamp starts empty.
    std::vector<Article> TakePicked(const std::string& stamp);

    // Records a company from its registration values; the same customer code and serial number
    // keep their customer number.
    Customer RecordCustomer(const std::vector<std::string>& values, const std::string& computer);
    Customer OpenAccount(const std::string& company, const std::string& email);
    std::optional<Customer> FindCustomer(const std::string& number);

    // A batch of supplier lines as a customer sent it: lines separated by "!", values by "|".
    void AddSupplierBatch(const std::string& customer, const std::string& batch);
    // Every batch received, in order, as "customer<TAB>batch".
    std::vector<std::string> SupplierBatches();

  private:
    void CreateTables();
    void InsertArticle(const Article& article);
    // Callers hold m_mutex, so that reading and forgetting a selection is one step.
    std::vector<Article> ReadPicks(const std::string& stamp);
    std::vector<Article> QueryArticles(const std::string& where,
                                       const std::vector<SqlValue>& values);
    Customer SaveCustomer(const std::string& key, const std::string& details,
                          const std::string& computer);

    std::mutex m_mutex;
    SqliteFile m_file;
};
