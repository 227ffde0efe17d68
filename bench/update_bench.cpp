// Speed of the tariff update against the stand-in service on loopback: a maker with N articles in
// the library, its tariff changed at the service, then "Tout Actualiser" in the update dialog,
// which asks the service once per out-of-date article and writes each into the library. Only the
// update is timed; the service, the company and the first import are made before.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdio>

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
class UpdateScene {
  public:
    explicit UpdateScene(int count) : m_catalogue(OneMakerCatalogue(count)) {
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
        auto scene = std::make_unique<UpdateScene>(count);
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

}  // namespace

BENCHMARK(UpdateAllMakers)
    ->Arg(100)
    ->Arg(1000)
    ->Unit(benchmark::kSecond)
    ->UseRealTime()
    ->Iterations(1);

BENCHMARK_MAIN();
