#include "headless_fixture.h"

namespace uitest {
namespace {

ui::ResourceModule TestModule() {
    using ui::ControlKind;
    std::vector<ui::ControlTemplate> controls = {
        {IDOK, ControlKind::DefPushButton, 10, 80, 40, 14, "OK", ui::kStyleTabStop},
        {IDCANCEL, ControlKind::PushButton, 60, 80, 40, 14, "Annuler", ui::kStyleTabStop},
        {kOther, ControlKind::PushButton, 110, 80, 40, 14, "Autre", ui::kStyleTabStop},
        {kDisabled, ControlKind::PushButton, 160, 80, 40, 14, "Gris", ui::kStyleDisabled},
        {kEdit, ControlKind::Edit, 10, 10, 80, 12, "", ui::kStyleAutoHScroll},
        {kList, ControlKind::ListView, 10, 30, 100, 40, "", ui::kStyleReport},
        {kBar, ControlKind::Progress, 120, 30, 80, 10, "", ui::kStyleNone},
        {kLabel, ControlKind::Static, 120, 50, 80, 8, "Texte", ui::kStyleNone},
    };
    return {"ui-test",
            {{kDialog, "Essai", 200, 100, ui::kStyleCaption, "MS Sans Serif", 8, controls},
             {kModeless, "Libre", 40, 16, ui::kStyleVisible, "MS Sans Serif", 8, controls}},
            {}};
}

const ui::ResourceModule& Module() {
    static const ui::ResourceModule module = TestModule();
    return module;
}

}  // namespace

HeadlessTest::HeadlessTest() {
    ui::RegisterResourceModule(&Module());
}

HeadlessTest::~HeadlessTest() {
    ui::UnregisterResourceModule(&Module());
}

}  // namespace uitest
