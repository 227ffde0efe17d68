// Module entry of the plug-in library: its resources join the host's chain when the library is
// loaded and leave it when the library is unloaded.

#include "resources/prixel_resources.h"

namespace {

__attribute__((constructor)) void AttachModule() {
    ui::RegisterResourceModule(&PrixelResources());
}

__attribute__((destructor)) void DetachModule() {
    ui::UnregisterResourceModule(&PrixelResources());
}

}  // namespace
