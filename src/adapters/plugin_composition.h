#pragma once
// The plug-in's part of the composition: the browser of its web exchange dialog follows the
// screen the host composed.

namespace adapters {

// Composes the headless components unless the host composed already, and puts in place the
// browser of the composed screen.
void ComposePlugin();

}  // namespace adapters
