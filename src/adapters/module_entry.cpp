// Entry of the plug-in library: its resources join the host's chain when the library is
// loaded and leave it when the library is unloaded; its browser follows the host's composition.

#include "adapters/plugin_composition.h"
#include "resources/prixel_resources.h"

namespace {

__attribute__((constructor)) void AttachModule() {
    ui::RegisterResourceModule(&PrixelResources());
    adapters::ComposePlugin();
}

__attribute__((destructor)) void DetachModule() {
    ui::UnregisterResourceModule(&PrixelResources());
}

}  // namespace
