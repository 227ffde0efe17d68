#include "resources/prixel_resources.h"

#include "platform/text.h"

using namespace ui;

namespace {

constexpr int kNoId = -1;
constexpr int kCancel = 2;
constexpr unsigned kFramedDialog = kStyleModalFrame | kStyleCaption | kStyleSysMenu;

// The French texts are written here in UTF-8 and held in CP1252.
std::string Fr(const char* utf8) {
    return text::FromUtf8(utf8);
}

DialogTemplate WebTemplate() {
    return {
        IDD_PRIXEL_WEB,
        "Vako Prixel",
        596,
        378,
        kStylePopup | kFramedDialog,
        "MS Sans Serif",
        8,
        {
            {IDC_PRIXEL_BROWSER, ControlKind::Browser, 7, 7, 582, 346, "", kStyleNone},
            {IDC_PRIXEL_QUITTER, ControlKind::PushButton, 7, 357, 50, 14, "Quitter", kStyleTabStop},
            {IDC_PRIXEL_VALIDER, ControlKind::DefPushButton, 65, 357, 50, 14, "Valider",
             kStyleTabStop},
        }};
}

DialogTemplate UpdateTemplate() {
    return {IDD_PRIXEL_UPDATE,
            Fr("Mise à jour Vako Prixel"),
            255,
            63,
            kFramedDialog,
            "MS Sans Serif",
            8,
            {
                {IDC_PRIXEL_QUITTER, ControlKind::DefPushButton, 188, 7, 60, 14, "Quitter",
                 kStyleTabStop},
                {IDC_UPDATE_ONE, ControlKind::PushButton, 188, 24, 60, 14, "Actualiser",
                 kStyleTabStop | kStyleDisabled},
                {IDC_UPDATE_LIST, ControlKind::ListView, 7, 7, 171, 49, "",
                 kStyleReport | kStyleSingleSelection | kStyleBorder | kStyleTabStop},
                {IDC_UPDATE_ALL, ControlKind::PushButton, 188, 42, 60, 14, "Tout Actualiser",
                 kStyleTabStop},
            }};
}

DialogTemplate ImportWorkTemplate(int id) {
    return {
        id,
        "Importation Bib Vako",
        283,
        99,
        kFramedDialog,
        "MS Sans Serif",
        8,
        {
            {kCancel, ControlKind::PushButton, 7, 78, 50, 14, "&Fermer", kStyleTabStop},
            {IDC_IMPORT_START, ControlKind::DefPushButton, 64, 78, 212, 14, "&Importer",
             kStyleTabStop},
            {kNoId, ControlKind::GroupBox, 7, 3, 268, 33, Fr(" Paramètre "), kStyleNone},
            {kNoId, ControlKind::Static, 16, 18, 71, 8, Fr("Préfixe des références"), kStyleNone},
            {IDC_IMPORT_PREFIX, ControlKind::Edit, 100, 15, 90, 14, "",
             kStyleBorder | kStyleAutoHScroll | kStyleTabStop},
            {kNoId, ControlKind::GroupBox, 7, 40, 268, 31, " Dossier source ", kStyleNone},
            {IDC_IMPORT_FOLDER, ControlKind::Edit, 15, 52, 197, 12, "",
             kStyleBorder | kStyleAutoHScroll | kStyleTabStop},
            {IDC_IMPORT_BROWSE, ControlKind::PushButton, 219, 51, 50, 14, "&Parcourir...",
             kStyleTabStop},
        }};
}

DialogTemplate ProgressTemplate() {
    return {IDD_IMPORT_PROGRESS,
            "Vako Prixel",
            308,
            80,
            kFramedDialog,
            "MS Sans Serif",
            8,
            {
                {IDC_PROGRESS_CAPTION, ControlKind::Static, 3, 4, 301, 8, "", kStyleCentre},
                {kNoId, ControlKind::GroupBox, 3, 16, 301, 38, " Progression ", kStyleNone},
                {IDC_PROGRESS_BAR, ControlKind::Progress, 15, 30, 277, 14, "", kStyleNone},
                {kCancel, ControlKind::PushButton, 15, 60, 277, 14, "Interrompre", kStyleTabStop},
            }};
}

DialogTemplate ToasterTemplate() {
    return {IDD_PRIXEL_TOASTER,
            "",
            200,
            31,
            kStylePopup | kStyleBorder | kStyleTransparent,
            "MS Sans Serif",
            8,
            {
                {IDC_TOASTER_TEXT, ControlKind::Static, 8, 8, 183, 15, "",
                 kStyleCentre | kStyleCentreVertically},
                {kNoId, ControlKind::GroupBox, 4, 0, 192, 27, " Vako Prixel ", kStyleNone},
            }};
}

VersionRecord Version() {
    return {{1, 0, 0, 1},
            "Vako",
            "Liaison avec le catalogue de prix Vako Prixel",
            "Vako Prixel",
            "(c) Vako"};
}

}  // namespace

const ResourceModule& PrixelResources() {
    static const ResourceModule module{
        PRIXEL_RESOURCE_MODULE,
        {WebTemplate(), UpdateTemplate(), ImportWorkTemplate(IDD_IMPORT_WORK_EARLIER),
         ImportWorkTemplate(IDD_IMPORT_WORK), ProgressTemplate(), ToasterTemplate()},
        Version()};
    return module;
}
