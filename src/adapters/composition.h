#pragma once
// The one place that chooses the real components behind the ports. The host's side gets its
// database driver and its user-interface backend here; the plug-in asks ComposedScreen which
// browser to show in its web exchange dialog, so that the desktop or headless choice is made once.
// The host program composes at its start; a host that never does gets the headless components
// when the plug-in is loaded.

namespace adapters {

enum class Screen {
    Headless,  // no windows: the headless backend on the real clock, the HTTPS browser
};

// Puts the SQLite driver and the backend of screen in place of whatever stood there.
void Compose(Screen screen);
// Composes the headless components unless something was composed already.
void EnsureComposed();
Screen ComposedScreen();

}  // namespace adapters
