#include "host/rights.h"

#include <algorithm>

#include "host/application.h"
#include "platform/text.h"

int CMdaInterface::HasAcces(int right, const std::string& mode, CWnd*, int) {
    const CHostApp* app = GetHostApp();
    if (!app) return 0;
    const std::string wanted = text::MakeUpper(std::to_string(right) + ":" + mode);
    const auto granted = [&](const std::string& held) { return text::MakeUpper(held) == wanted; };
    return std::any_of(app->m_Rights.begin(), app->m_Rights.end(), granted) ? 1 : 0;
}
