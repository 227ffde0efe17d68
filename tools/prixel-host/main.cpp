// The stand-in host program: it keeps a company folder, loads the plug-in and
// calls the facade's members as the estimating application would. Messages go
// to standard error in UTF-8.

#include <CLI/CLI.hpp>
#include <iostream>
#include <random>
#include <string>

#include "adapters/composition.h"
#include "contact_commands.h"
#include "desktop_window.h"
#include "host/company.h"
#include "host_screen.h"
#include "module/prixel_ctrl.h"
#include "platform/db/dao.h"
#include "platform/system.h"
#include "platform/text.h"
#include "platform/ui/dialog.h"
#include "service_commands.h"
#include "table_printer.h"
#include "works_commands.h"

namespace {

struct Options {
    std::string dir;
    std::string answer;
    bool noRecord = false;
    bool gui = false;
    std::string screenshots;
};

void Fail(const std::string& cp1252) {
    std::cerr << "prixel-host: " << text::ToUtf8(cp1252) << '\n';
}

int Init(const Options& options, const host::CompanyOptions& company) {
    std::string error;
    if (!host::CreateCompany(options.dir, company, error)) {
        Fail(error);
        return 1;
    }
    std::cout << "Dossier de société créé : " << options.dir << '\n';
    return 0;
}

int Show(const Options& options, const std::string& table) {
    const std::string file = host::DatabaseFileOf(options.dir, table);
    if (file.empty()) {
        Fail(text::FromUtf8("table inconnue : ") + table);
        return 1;
    }
    try {
        PrintTable(file, table, std::cout);
    } catch (const CDaoException& e) {
        Fail(e.m_strDescription);
        return 1;
    }
    return 0;
}

// Real windows with --gui when a display can be opened; without one, the command runs headless.
// The scripted user works the windows unless the person does (the desktop window).
void ComposeScreen(const Options& options, bool byPerson) {
    if (options.gui &&
        adapters::Compose(adapters::Screen::Desktop, {!byPerson, options.screenshots}))
        return;
    if (options.gui)
        Fail(text::FromUtf8("aucun écran n'est disponible : la commande s'exécute sans fenêtres"));
    adapters::Compose(adapters::Screen::Headless);
}

std::optional<int> Answer(const std::string& answer) {
    if (answer == "yes") return IDYES;
    if (answer == "no") return IDNO;
    return std::nullopt;
}

// Opens the company, runs work on it and closes it.
template <class Work>
int WithCompany(const Options& options, Work work) {
    std::string error;
    if (!host::OpenCompany(options.dir, error)) {
        Fail(error);
        return 1;
    }
    const int code = work();
    host::CloseCompany();
    return code;
}

// Opens the company, loads the facade as the host does, runs work with it and
// closes all.
template <class Work>
int WithFacade(const Options& options, Work work) {
    return WithCompany(options, [&] {
        HostScreen host(Answer(options.answer));
        CPrixelCtrl prixel;
        const int code = work(prixel, host);
        // On the desktop the person sees the end-of-work toaster before the program leaves.
        if (options.gui) host.WaitForToaster();
        return code;
    });
}

// The host's own switch of the service for the company, as its administrator sets it.
int SetSwitch(const Options& options, const std::string& state) {
    return WithCompany(options, [&] {
        std::string error;
        if (host::SetServiceSwitch(state == "on", error)) return 0;
        Fail(error);
        return 1;
    });
}

int Status(const Options& options) {
    return WithFacade(options, [](CPrixelCtrl& prixel, HostScreen&) {
        std::cout << RecordingStateName(prixel.GetRecordingState()) << '\n'
                  << prixel.GetArticleUpToDateCount() << '\n';
        return 0;
    });
}

// The host's window, worked by the person, or by the scripted user when codes are given.
int Desktop(const Options& options, const std::vector<std::string>& codes) {
    if (codes.empty() && adapters::ComposedScreen() == adapters::Screen::Headless) {
        Fail(text::FromUtf8("la fenêtre de l'hôte demande un écran : lancez-la avec --gui"));
        return 1;
    }
    return WithFacade(options, [&](CPrixelCtrl& prixel, HostScreen& host) {
        if (!options.noRecord) prixel.CustomerRecording();
        return codes.empty() ? RunDesktopWindow(prixel)
                             : RunDesktopWindowScripted(prixel, host, codes);
    });
}

CLI::App* AddServiceCommand(CLI::App& app, ServiceCommand& command, const std::string& name,
                            const std::string& help, std::vector<std::string> arguments) {
    CLI::App* sub = app.add_subcommand(name, help);
    sub->callback([&command, name] { command.name = name; });
    if (!arguments.empty()) {
        sub->add_option("texts", command.texts, help)
            ->expected(static_cast<int>(arguments.size()))
            ->required();
    }
    return sub;
}

}  // namespace

int main(int argc, char** argv) {
    // The runtime's generator draws the plug-in's new family codes; like any host application,
    // this one seeds it once at start, so that each run draws codes of its own.
    sys::SeedRand(std::random_device{}());
    CLI::App app{"Stand-in host of the price-catalogue plug-in"};
    app.require_subcommand(1);
    Options options;
    app.add_option("--data", options.dir, "company folder")->required();
    app.add_option("--answer", options.answer, "answer to Yes/No questions")
        ->check(CLI::IsMember({"yes", "no"}));
    app.add_flag("--no-record", options.noRecord,
                 "do not record the customer before talking to the service");
    app.add_flag("--gui", options.gui, "run with real windows on the display");
    app.add_option("--screenshots", options.screenshots,
                   "with --gui, save a PNG of each window once drawn into this folder");

    host::CompanyOptions company;
    CLI::App* init = app.add_subcommand("init", "create the company folder");
    init->add_option("--server", company.serverAddr, "service server, HOST[:PORT]");
    init->add_option("--company", company.companyCode, "company code");
    init->add_option("--library", company.library,
                     "the service library on a PostgreSQL server: postgresql://... or a libpq "
                     "keyword=value list, without password");

    std::string table;
    CLI::App* show = app.add_subcommand("show", "print a table's rows");
    show->add_option("table", table, "table name")->required();

    std::vector<std::string> desktopPicks;
    CLI::App* desktop = app.add_subcommand(
        "desktop",
        "with --gui, the host as a window: a button per operation, the library's materials");
    desktop
        ->add_option("--pick", desktopPicks,
                     "the scripted user brings these codes into the library from the window")
        ->delimiter(',');

    CLI::App* status =
        app.add_subcommand("status", "print the recording state and the out-of-date count");

    std::string family;
    std::vector<std::string> fields;
    std::string file;
    CLI::App* contacts = app.add_subcommand("contacts", "fill the host's contacts");
    contacts->require_subcommand(1);
    CLI::App* addContact = contacts->add_subcommand("add", "add one contact");
    addContact->add_option("--family", family, "the contact's family (FOUR: a supplier)");
    addContact->add_option("fields", fields, "FIELD=VALUE, FIELD a column of Contacts")->required();
    CLI::App* importContacts =
        contacts->add_subcommand("import", "add the contacts of a tab-separated UTF-8 file");
    importContacts->add_option("--family", family, "family of contacts without CFamille column");
    importContacts->add_option("file", file, "header line of column names, one contact a line")
        ->required();

    std::string switchState;
    CLI::App* setSwitch =
        app.add_subcommand("set-switch", "switch the service on or off for the company");
    setSwitch->add_option("state", switchState, "on or off")
        ->required()
        ->check(CLI::IsMember({"on", "off"}));

    ServiceCommand command;
    AddServiceCommand(app, command, "record", "record the customer", {});
    AddServiceCommand(app, command, "create-account", "open the account creation page", {});
    AddServiceCommand(app, command, "site", "open the maker's product page", {});
    AddServiceCommand(app, command, "toast", "show a toaster", {"TEXT"});
    CLI::App* browse =
        AddServiceCommand(app, command, "browse", "pick articles on the catalogue", {});
    browse->add_option("--search", command.search, "search text");
    browse->add_flag("--study", command.study, "into the open study rather than the library");
    browse->add_flag("--notify", command.notify, "show a toaster at the end");
    browse->add_option("--pick", command.picks, "codes to pick")->delimiter(',');
    AddServiceCommand(app, command, "check", "check the makers' tariffs, list the out-of-date ones",
                      {});
    CLI::App* update =
        AddServiceCommand(app, command, "update", "bring out-of-date makers up to date", {});
    CLI::Option* all = update->add_flag("--all", command.all, "press \"Tout Actualiser\"");
    update->add_option("--maker", command.makers, "makers to refresh, by identifier or name")
        ->delimiter(',')
        ->excludes(all);
    update->require_option(1);
    CLI::App* refresh = app.add_subcommand(
        "refresh", "bring named articles from the service: PARAM, or ID PREFIX REF DATE");
    refresh->callback([&command] {
        if (command.texts.size() != 1 && command.texts.size() != 4)
            throw CLI::ValidationError("texts", "one parameter or four texts expected");
        command.name = "refresh";
    });
    refresh->add_option("texts", command.texts, "request parameter, or its four parts")
        ->expected(1, 4)
        ->required();
    refresh->add_flag("--study", command.study, "into the open study rather than the library");
    AddServiceCommand(app, command, "tariff", "print an article's list price", {"A", "B", "C"});
    AddServiceCommand(app, command, "sync-suppliers", "send the supplier contacts to the service",
                      {});
    AddServiceCommand(app, command, "activate",
                      "check the company's service switch, offer to switch it on; prints 1 or 0",
                      {});
    CLI::App* sheet = app.add_subcommand("sheet", "open a sheet of the service");
    sheet->require_subcommand(1);
    AddServiceCommand(*sheet, command, "sheet-article", "article sheet", {"A", "B", "C", "D"})
        ->alias("article");
    AddServiceCommand(*sheet, command, "sheet-maker", "maker sheet", {"A"})->alias("maker");
    AddServiceCommand(*sheet, command, "sheet-product", "product sheet", {"A", "B", "C"})
        ->alias("product");

    WorksCommand works;
    CLI::App* importWorks = app.add_subcommand(
        "import-works", "import the works of a folder of text files through the import dialog");
    importWorks->add_option("--folder", works.folder, "folder typed into the dialog");
    importWorks->add_option("--prefix", works.prefix, "prefix typed into the dialog");
    importWorks
        ->add_option("--interrupt-after", works.interruptAfter,
                     "press \"Interrompre\" after that many lines")
        ->check(CLI::PositiveNumber);

    CLI11_PARSE(app, argc, argv);
    ComposeScreen(options, desktop->parsed() && desktopPicks.empty());
    if (init->parsed()) return Init(options, company);
    if (show->parsed()) return Show(options, table);
    if (status->parsed()) return Status(options);
    if (desktop->parsed()) return Desktop(options, desktopPicks);
    if (addContact->parsed())
        return WithCompany(options, [&] { return AddContact(family, fields); });
    if (importContacts->parsed())
        return WithCompany(options, [&] { return ImportContacts(family, file); });
    if (setSwitch->parsed()) return SetSwitch(options, switchState);
    if (importWorks->parsed()) {
        return WithFacade(options, [&works](CPrixelCtrl& prixel, HostScreen& host) {
            return ImportWorks(prixel, host, works);
        });
    }
    command.recordFirst = !options.noRecord;
    // On the desktop the host asks for the end-of-work toaster, as a person wants to see it.
    command.notify = command.notify || options.gui;
    return WithFacade(options, [&command](CPrixelCtrl& prixel, HostScreen& host) {
        return RunServiceCommand(prixel, host, command);
    });
}
