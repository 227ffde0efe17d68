// The stand-in host program: it keeps a company folder, loads the plug-in and calls the facade's
// members as the estimating application would. Messages go to standard error in UTF-8.

#include <CLI/CLI.hpp>
#include <iostream>
#include <string>

#include "host/company.h"
#include "module/prixel_ctrl.h"
#include "platform/db/dao.h"
#include "platform/text.h"
#include "table_printer.h"

namespace {

void Fail(const std::string& cp1252) {
    std::cerr << "prixel-host: " << text::ToUtf8(cp1252) << '\n';
}

int Init(const std::string& dir, const host::CompanyOptions& options) {
    std::string error;
    if (!host::CreateCompany(dir, options, error)) {
        Fail(error);
        return 1;
    }
    std::cout << "Dossier de société créé : " << dir << '\n';
    return 0;
}

int Show(const std::string& dir, const std::string& table) {
    const std::string file = host::DatabaseFileOf(dir, table);
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

const char* RecordingStateName(CPrixelCtrl::PrixelRecordingState state) {
    switch (state) {
        case CPrixelCtrl::PrixelRecordedWithoutRights:
            return "PrixelRecordedWithoutRights";
        case CPrixelCtrl::PrixelRecorded:
            return "PrixelRecorded";
        case CPrixelCtrl::PrixelNotRecorded:
            return "PrixelNotRecorded";
        case CPrixelCtrl::PrixelNoAnswer:
            return "PrixelNoAnswer";
    }
    return "?";
}

int Status(const std::string& dir) {
    std::string error;
    if (!host::OpenCompany(dir, error)) {
        Fail(error);
        return 1;
    }
    {
        CPrixelCtrl prixel;
        std::cout << RecordingStateName(prixel.GetRecordingState()) << '\n'
                  << prixel.GetArticleUpToDateCount() << '\n';
    }
    host::CloseCompany();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"Stand-in host of the price-catalogue plug-in"};
    app.require_subcommand(1);
    std::string dir;
    app.add_option("--data", dir, "company folder")->required();

    host::CompanyOptions options;
    CLI::App* init = app.add_subcommand("init", "create the company folder");
    init->add_option("--server", options.serverAddr, "service server, HOST[:PORT]");
    init->add_option("--company", options.companyCode, "company code");

    std::string table;
    CLI::App* show = app.add_subcommand("show", "print a table's rows");
    show->add_option("table", table, "table name")->required();

    CLI::App* status =
        app.add_subcommand("status", "print the recording state and the out-of-date count");

    CLI11_PARSE(app, argc, argv);
    if (init->parsed()) return Init(dir, options);
    if (show->parsed()) return Show(dir, table);
    if (status->parsed()) return Status(dir);
    return 1;
}
