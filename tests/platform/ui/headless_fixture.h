#pragma once
// A headless backend on a virtual clock, current for one test, with a test dialog template.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/controls.h"
#include "platform/ui/desktop.h"
#include "platform/ui/dialog.h"
#include "platform/ui/headless/headless_backend.h"

namespace uitest {

inline constexpr int kDialog = 9100;
inline constexpr int kOther = 10;     // push button, ends with 42
inline constexpr int kDisabled = 11;  // push button, disabled
inline constexpr int kEdit = 20;

class TestDialog : public CDialog {
  public:
    explicit TestDialog(int templateId = kDialog) : CDialog(templateId) {
        OnClicked(kOther, [this] { EndDialog(42); });
        OnClicked(kDisabled, [this] { EndDialog(99); });
    }

    bool OnInitDialog() override {
        CDialog::OnInitDialog();
        if (onInit) onInit();
        return true;
    }
    void OnTimer(unsigned id) override {
        if (onTimer) onTimer(id);
    }
    bool OnNotify(int id, ui::Notification code, int* result) override {
        if (onNotify && onNotify(id, code, result)) return true;
        return CDialog::OnNotify(id, code, result);
    }
    using CDialog::On;
    using CDialog::OnClicked;

    std::string m_strEdit;
    std::function<void()> onInit;
    std::function<void(unsigned)> onTimer;
    std::function<bool(int, ui::Notification, int*)> onNotify;

  protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, kEdit, m_strEdit); }
};

inline const ui::ResourceModule& TestModule() {
    using ui::ControlKind;
    static const std::vector<ui::ControlTemplate> controls = {
        {IDOK, ControlKind::DefPushButton, 10, 80, 40, 14, "OK", ui::kStyleTabStop},
        {IDCANCEL, ControlKind::PushButton, 60, 80, 40, 14, "Annuler", ui::kStyleTabStop},
        {kOther, ControlKind::PushButton, 110, 80, 40, 14, "Autre", ui::kStyleTabStop},
        {kDisabled, ControlKind::PushButton, 160, 80, 40, 14, "Gris", ui::kStyleDisabled},
        {kEdit, ControlKind::Edit, 10, 10, 80, 12, "", ui::kStyleAutoHScroll},
    };
    static const ui::ResourceModule module = {
        "ui-test",
        {{kDialog, "Essai", 200, 100, ui::kStyleCaption, "MS Sans Serif", 8, controls}},
        {}};
    return module;
}

class HeadlessTest : public ::testing::Test {
  protected:
    HeadlessTest() { ui::RegisterResourceModule(&TestModule()); }
    ~HeadlessTest() override { ui::UnregisterResourceModule(&TestModule()); }

    const ui::WindowModel* Shown() const { return backend->FindDialog(kDialog); }

    ui::VirtualClock clock;
    std::shared_ptr<ui::HeadlessBackend> backend = std::make_shared<ui::HeadlessBackend>(clock);
    ui::ScopedBackend scope{backend};
    ui::ScriptedUser& user = backend->User();
};

}  // namespace uitest
