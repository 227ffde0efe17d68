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
inline constexpr int kList = 30;
inline constexpr int kBar = 40;
inline constexpr int kLabel = 50;
inline constexpr int kModeless = 9101;  // visible at creation

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
    CListCtrl m_list;
    CProgressCtrl m_progress;
    std::function<void()> onInit;
    std::function<void(unsigned)> onTimer;
    std::function<bool(int, ui::Notification, int*)> onNotify;

  protected:
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Text(pDX, kEdit, m_strEdit);
        DDX_Control(pDX, kList, m_list);
        DDX_Control(pDX, kBar, m_progress);
    }
};

class HeadlessTest : public ::testing::Test {
  protected:
    HeadlessTest();
    ~HeadlessTest() override;

    const ui::WindowModel* Shown(int templateId = kDialog) const {
        return backend->FindDialog(templateId);
    }

    ui::VirtualClock clock;
    std::shared_ptr<ui::HeadlessBackend> backend = std::make_shared<ui::HeadlessBackend>(clock);
    ui::ScopedBackend scope{backend};
    ui::ScriptedUser& user = backend->User();
};

}  // namespace uitest
