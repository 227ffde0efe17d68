#include "service_commands.h"

#include <iostream>
#include <list>

#include "catalogue_picker.h"
#include "module/prixel_ctrl.h"
#include "platform/text.h"
#include "resources/prixel_resources.h"
#include "update_commands.h"

namespace {

std::vector<std::string> ToCp1252(const std::vector<std::string>& utf8) {
    std::vector<std::string> texts;
    for (const std::string& s : utf8) texts.push_back(text::FromUtf8(s));
    return texts;
}

// The person reads the sheet or the page once it has loaded, then leaves with
// Quitter.
void LeaveWhenLoaded(HostScreen& host) {
    host.User().Press(IDD_PRIXEL_WEB, IDC_PRIXEL_QUITTER);
}

void OpenSheet(CPrixelCtrl& prixel, HostScreen& host, const std::string& name,
               const std::vector<std::string>& t) {
    LeaveWhenLoaded(host);
    if (name == "sheet-article") prixel.OpenArticleSheet(t.at(0), t.at(1), t.at(2), t.at(3));
    if (name == "sheet-maker") prixel.OpenMakerSheet(t.at(0));
    if (name == "sheet-product") prixel.OpenProductSheet(t.at(0), t.at(1), t.at(2));
}

void Browse(CPrixelCtrl& prixel, HostScreen& host, const ServiceCommand& command) {
    PickOnCataloguePage(host, command.picks);
    std::list<std::string> codes;
    const int count =
        prixel.OpenVarnelo(codes, text::FromUtf8(command.search), !command.study, command.notify);
    host.ReportToaster();
    for (const std::string& code : codes) std::cout << text::ToUtf8(code) << '\n';
    std::cout << count << '\n';
}

}  // namespace

const char* RecordingStateName(int state) {
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

int RunServiceCommand(CPrixelCtrl& prixel, HostScreen& host, const ServiceCommand& command) {
    const std::vector<std::string> texts = ToCp1252(command.texts);
    // The folder switch records the customer itself when it switches the service on.
    const bool talksToService =
        command.name != "site" && command.name != "toast" && command.name != "activate";
    if (command.name == "record" || (talksToService && command.recordFirst)) {
        prixel.CustomerRecording();
    }
    if (command.name == "record") {
        std::cout << RecordingStateName(prixel.GetRecordingState()) << '\n';
    } else if (command.name == "create-account") {
        LeaveWhenLoaded(host);
        prixel.CreateAccount();
        std::cout << RecordingStateName(prixel.GetRecordingState()) << '\n';
    } else if (command.name.starts_with("sheet-")) {
        OpenSheet(prixel, host, command.name, texts);
    } else if (command.name == "browse") {
        Browse(prixel, host, command);
    } else if (command.name == "check") {
        return CheckTariffs(prixel, host);
    } else if (command.name == "update") {
        return UpdateTariffs(prixel, host, command.all, command.makers);
    } else if (command.name == "refresh") {
        return RefreshArticles(prixel, texts, command.study);
    } else if (command.name == "tariff") {
        return PrintTariff(prixel, texts);
    } else if (command.name == "sync-suppliers") {
        prixel.SynchronizeProvider();
        host.ReportToaster();
    } else if (command.name == "activate") {
        std::cout << prixel.CheckPrixelActivate() << '\n';
    } else if (command.name == "site") {
        prixel.OpenVakoPrixelCom();
    } else if (command.name == "toast") {
        prixel.DisplayToaster(texts.at(0));
        host.ReportToaster();
        host.WaitForToaster();
    }
    return 0;
}
