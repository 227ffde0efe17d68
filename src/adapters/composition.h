#pragma once
// The one place that chooses the real components behind the ports. The host's side gets its
// database driver and its user-interface backend here; the plug-in asks ComposedScreen which
// browser to show in its web exchange dialog, so that the desktop or headless choice is made once.
// The host program composes at its start; a host that never does gets the headless components
// when the plug-in is loaded.

#include <string>

namespace adapters {

enum class Screen {
    Headless,  // no windows: the headless backend on the real clock, the HTTPS browser
    Desktop,   // real windows (wx) on the display, the WebKit browser
};

// How the desktop's windows are worked.
struct DesktopOptions {
    bool scripted = false;      // the scripted user acts and answers, not the person
    std::string pictureFolder;  // when not empty, a PNG of each window once drawn goes there
};

// Puts the database driver (database files to SQLite, libraries on a server to PostgreSQL), the
// rotating diagnostic log and the backend of screen in place of whatever stood there. The desktop
// needs a display: without one, nothing changes and the answer is false.
bool Compose(Screen screen, const DesktopOptions& desktop = {});
// Composes the headless components unless something was composed already.
void EnsureComposed();
Screen ComposedScreen();

}  // namespace adapters
