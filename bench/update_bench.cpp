// Speed of the tariff update against the stand-in service on loopback: a maker with N articles in
// the library, its tariff changed at the service, then "Tout Actualiser" in the update dialog,
// which asks the service once per out-of-date article and writes each into the library. Only the
// update is timed; the service, the company and the first import are made before.
//
// Speed of the up-to-date check: 5,000 makers known to the library with 20 linked materials each
// (the library filled directly), of which the service gives N a later tariff; then the update of
// one maker chosen in the update dialog right after that check.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdio>

#include <sqlite3.h>

#include <filesystem>
#include <memory>
#include <string>

#include "catalogue_generator.h"
#include "catalogue_store.h"
#include "host/company.h"
#include "module/prixel_ctrl.h"
#include "platform/text.h"
#include "platform/ui/headless/headless_backend.h"
#include "resources/prixel_resources.h"
#include "support/running_service.h"
#include "support/temp_dir.h"

namespace {

constexpr int kCodesPerImport = 200;

// One maker of the sample catalogue with count articles made from its first one.
Catalogue OneMakerCatalogue(int count) {
    const Catalogue sample = GenerateCatalogue(1);
    Catalogue catalogue;
    catalogue.makers.push_back(sample.makers.front());
    Article model = sample.articles.front();
    model.withdrawn = false;
    for (int i = 0; i < count; ++i) {
        Article article = model;
        article.reference = text::Format("B%06d", i);
        article.label = model.label + text::Format(" %d", i);
        catalogue.articles.push_back(article);
    }
    return catalogue;
}

// The service with that catalogue, a company folder that reaches it, and the facade on the
// headless backend whose user takes every message box's first button.
constexpr int kCheckMakers = 5000;
constexpr int kMaterialsPerMaker = 20;
constexpr const char* kLibraryTariff = "20260115";

std::string CheckedMakerId(int i) {
    return text::Format("M%05d", i);
}

// The makers of the check at the service, the first outdated of them with a tariff later than the
// library's materials; and the articles of the first maker, which the update asks for.
Catalogue CheckCatalogue(int outdated) {
    Catalogue catalogue;
    for (int i = 0; i < kCheckMakers; ++i) {
        catalogue.makers.push_back({CheckedMakerId(i), text::Format("Q%04d", i),
                                    text::Format("Fabricant %d", i),
                                    i < outdated ? "20260301" : kLibraryTariff, "2026.1"});
    }
    Article model = GenerateCatalogue(1).articles.front();
    model.withdrawn = false;
    model.makerId = catalogue.makers.front().id;
    model.prefix = catalogue.makers.front().prefix;
    for (int i = 0; i < kMaterialsPerMaker; ++i) {
        model.reference = text::Format("B%06d", i);
        catalogue.articles.push_back(model);
    }
    return catalogue;
}

void Run(sqlite3_stmt* statement, const std::vector<std::string>& values) {
    for (std::size_t i = 0; i < values.size(); ++i) {
        sqlite3_bind_text(statement, static_cast<int>(i + 1), values[i].c_str(), -1,
                          SQLITE_TRANSIENT);
    }
    sqlite3_step(statement);
    sqlite3_reset(statement);
}

// Every maker of the catalogue in Fabricant, each with its linked materials at the library's
// tariff, written straight into the library.
void FillLibrary(const std::string& path, const Catalogue& catalogue) {
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* maker = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO Fabricant (Id, Prefixe, Nom, DateTarif, VersionTarif) "
                       "VALUES (?, ?, ?, '2026-01-15', '2026.1')",
                       -1, &maker, nullptr);
    sqlite3_stmt* material = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO BXMX (Type, Code, Libelle, PrixelCheck, PrixelDate, "
                       "PrixelFabricantID, PrefixeFabricant, Reference) "
                       "VALUES (10001, ?, ?, 1, '2026-01-15', ?, ?, ?)",
                       -1, &material, nullptr);
    for (const Maker& m : catalogue.makers) {
        Run(maker, {m.id, m.prefix, m.name});
        for (int i = 0; i < kMaterialsPerMaker; ++i) {
            const std::string reference = text::Format("B%06d", i);
            Run(material,
                {m.prefix + reference, "Article " + reference, m.id, m.prefix, reference});
        }
    }
    sqlite3_finalize(maker);
    sqlite3_finalize(material);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

class UpdateScene {
  public:
    explicit UpdateScene(Catalogue catalogue) : m_catalogue(std::move(catalogue)) {
        std::filesystem::create_directories(m_dir.File("data"));
        CatalogueStore(m_dir.File("data/catalogue.sqlite")).Fill(m_catalogue);
        m_service = std::make_unique<RunningService>(m_dir);
        setenv("PRIXEL_CA_FILE", m_service->CaFile().c_str(), 1);
        setenv("PRIXEL_CONNECT_TO",
               ("localhost:443:127.0.0.1:" + std::to_string(m_service->Port())).c_str(), 1);
        std::string error;
        host::CompanyOptions options;
        options.serverAddr = "localhost";
        host::CreateCompany(m_dir.Folder() + "company", options, error);
        host::OpenCompany(m_dir.Folder() + "company", error);
        m_previous = ui::ReplaceBackend(m_backend);
        m_backend->SetMessageBoxObserver([](const ui::MessageBoxRecord& box) {
            fprintf(stderr, "message: %s\n", text::ToUtf8(box.text).c_str());
        });
        m_prixel = std::make_unique<CPrixelCtrl>();
    }
    ~UpdateScene() {
        m_prixel.reset();
        ui::ReplaceBackend(m_previous);
        host::CloseCompany();
    }

    // Brings every article into the library, a few hundred codes per request.
    void ImportAll() {
        m_prixel->CustomerRecording();
        std::string codes;
        for (size_t i = 0; i < m_catalogue.articles.size(); ++i) {
            codes += (codes.empty() ? "" : ",") + m_catalogue.articles[i].Code();
            if ((i + 1) % kCodesPerImport == 0 || i + 1 == m_catalogue.articles.size()) {
                m_prixel->UpdatePrixelArticle(codes, 1);
                codes.clear();
            }
        }
    }

    void ChangeTariff() {
        CommandOutput("curl -s --cacert '" + m_service->CaFile() +
                      "' 'https://127.0.0.1:" + std::to_string(m_service->Port()) +
                      "/admin/tariff?maker=" + m_catalogue.makers.front().id +
                      "&date=01/03/2026&version=2026.1&factor=1.1'");
    }

    std::string Library() const { return m_dir.File("company/prixel/Bib.mdb"); }
    CPrixelCtrl& Prixel() { return *m_prixel; }
    ui::ScriptedUser& User() { return m_backend->User(); }

  private:
    TempDir m_dir;
    Catalogue m_catalogue;
    std::unique_ptr<RunningService> m_service;
    ui::RealClock m_clock;
    std::shared_ptr<ui::HeadlessBackend> m_backend = std::make_shared<ui::HeadlessBackend>(m_clock);
    std::shared_ptr<ui::Backend> m_previous;
    std::unique_ptr<CPrixelCtrl> m_prixel;
};

void UpdateAllMakers(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto scene = std::make_unique<UpdateScene>(OneMakerCatalogue(count));
        scene->ImportAll();
        scene->ChangeTariff();
        if (scene->Prixel().IsUpToDate() != CPrixelCtrl::PrixelOutOfDate ||
            scene->Prixel().GetArticleUpToDateCount() != count) {
            state.SkipWithError("the library's articles were not all found out of date");
            break;
        }
        scene->User().Press(IDD_PRIXEL_UPDATE, IDC_UPDATE_ALL);
        state.ResumeTiming();
        scene->Prixel().OpenUpdate();
        state.PauseTiming();
        const bool upToDate = scene->Prixel().IsUpToDate() == CPrixelCtrl::PrixelUpToDate;
        scene.reset();
        if (!upToDate) {
            state.SkipWithError("the update left articles out of date");
            break;
        }
        state.ResumeTiming();
    }
    state.counters["articles/s"] = benchmark::Counter(
        static_cast<double>(count), benchmark::Counter::kIsIterationInvariantRate);
}

// The library of the check, filled directly, and the customer recorded at the service.
std::unique_ptr<UpdateScene> CheckScene(int outdated) {
    Catalogue catalogue = CheckCatalogue(outdated);
    auto scene = std::make_unique<UpdateScene>(catalogue);
    FillLibrary(scene->Library(), catalogue);
    scene->Prixel().CustomerRecording();
    return scene;
}

bool CheckFinds(UpdateScene& scene, int outdated) {
    const auto expected =
        outdated == 0 ? CPrixelCtrl::PrixelUpToDate : CPrixelCtrl::PrixelOutOfDate;
    return scene.Prixel().IsUpToDate() == expected &&
           scene.Prixel().GetArticleUpToDateCount() == outdated * kMaterialsPerMaker;
}

// The check with N of the 5,000 makers out of date (0: all up to date).
void CheckUpToDate(benchmark::State& state) {
    const int outdated = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto scene = CheckScene(outdated);
        state.ResumeTiming();
        const bool found = CheckFinds(*scene, outdated);
        state.PauseTiming();
        scene.reset();
        if (!found) state.SkipWithError("the check did not find the out-of-date materials");
        state.ResumeTiming();
    }
    state.counters["makers/s"] = benchmark::Counter(static_cast<double>(kCheckMakers),
                                                    benchmark::Counter::kIsIterationInvariantRate);
}

// The update of the first out-of-date maker (20 materials) right after a check that found N.
void UpdateAfterCheck(benchmark::State& state) {
    const int outdated = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto scene = CheckScene(outdated);
        if (!CheckFinds(*scene, outdated)) {
            state.SkipWithError("the check did not find the out-of-date materials");
            break;
        }
        scene->User()
            .ClickRow(IDD_PRIXEL_UPDATE, IDC_UPDATE_LIST, 0)
            .Press(IDD_PRIXEL_UPDATE, IDC_UPDATE_ONE)
            .Press(IDD_PRIXEL_UPDATE, IDC_PRIXEL_QUITTER);
        state.ResumeTiming();
        scene->Prixel().OpenUpdate();
        state.PauseTiming();
        const bool updated =
            scene->Prixel().GetArticleUpToDateCount() == (outdated - 1) * kMaterialsPerMaker;
        scene.reset();
        if (!updated) state.SkipWithError("the maker's materials were not updated");
        state.ResumeTiming();
    }
}

}  // namespace

BENCHMARK(UpdateAllMakers)
    ->Arg(100)
    ->Arg(1000)
    ->Unit(benchmark::kSecond)
    ->UseRealTime()
    ->Iterations(1);

BENCHMARK(CheckUpToDate)
    ->Arg(0)
    ->Arg(1000)
    ->Arg(2000)
    ->Arg(5000)
    ->Unit(benchmark::kSecond)
    ->UseRealTime()
    ->Iterations(1);
BENCHMARK(UpdateAfterCheck)
    ->Arg(1)
    ->Arg(5000)
    ->Unit(benchmark::kSecond)
    ->UseRealTime()
    ->Iterations(1);

BENCHMARK_MAIN();
