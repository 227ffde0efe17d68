#include "resources/prixel_resources.h"

using namespace ui;

namespace {

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
                {-1, ControlKind::GroupBox, 4, 0, 192, 27, " Vako Prixel ", kStyleNone},
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
    static const ResourceModule module{PRIXEL_RESOURCE_MODULE, {ToasterTemplate()}, Version()};
    return module;
}
