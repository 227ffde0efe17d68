#include "platform/ui/resources.h"

#include <algorithm>

namespace ui {
namespace {

// The chain of registered modules, oldest first. Only the user-interface thread touches it.
std::vector<const ResourceModule*>& Chain() {
    static std::vector<const ResourceModule*> chain;
    return chain;
}

}  // namespace

void RegisterResourceModule(const ResourceModule* module) {
    UnregisterResourceModule(module);
    Chain().push_back(module);
}

void UnregisterResourceModule(const ResourceModule* module) {
    std::erase(Chain(), module);
}

const DialogTemplate* FindDialogTemplate(int id) {
    for (auto it = Chain().rbegin(); it != Chain().rend(); ++it) {
        auto& dialogs = (*it)->dialogs;
        auto found = std::find_if(dialogs.begin(), dialogs.end(),
                                  [id](const DialogTemplate& d) { return d.id == id; });
        if (found != dialogs.end()) return &*found;
    }
    return nullptr;
}

const ResourceModule* FindResourceModule(const std::string& name) {
    auto& chain = Chain();
    auto found = std::find_if(chain.rbegin(), chain.rend(),
                              [&name](const ResourceModule* m) { return m->name == name; });
    return found == chain.rend() ? nullptr : *found;
}

}  // namespace ui
