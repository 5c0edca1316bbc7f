#pragma once

#include <QtGlobal>

#include <functional>
#include <string>

namespace dravinor::app {

// Whether the window has somewhere to go, judged before Qt tries: Qt itself
// aborts (exit 134) when its platform cannot open a display.
enum class DisplayOutlook {
    NotNeeded,  // the chosen platform draws without a window system (offscreen, vnc, eglfs, ...)
    Named,      // an X11 or Wayland display is named; only trying tells whether it opens
    Missing,    // X11 or Wayland would be used, and no display is named
};

using EnvironmentLookup = std::function<const char*(const char*)>;

// Reads -platform and -display from the arguments, as Qt does, then
// QT_QPA_PLATFORM, DISPLAY and WAYLAND_DISPLAY.
DisplayOutlook lookForDisplay(int argc, char** argv, const EnvironmentLookup& environment);

// The display that would be tried, for the message: -display, DISPLAY, then
// WAYLAND_DISPLAY; empty when none is named.
std::string namedDisplay(int argc, char** argv, const EnvironmentLookup& environment);

// One line, without its newline: no display was found, and the command-line
// tool needs none. triedDisplay is empty when none was named.
std::string noDisplayLine(const std::string& triedDisplay);

// While armed, Qt failing to initialise its platform ends the program with
// noDisplayLine and exit status 1 instead of Qt's abort. Qt's other messages
// meanwhile are held, so that the failure prints one line only, and handed
// on in order when the guard is released.
class DisplayOpenGuard {
public:
    // Not armed yet: Qt's messages pass as they are (a platform that needs
    // no display fails with Qt's own words).
    DisplayOpenGuard() = default;
    ~DisplayOpenGuard();
    DisplayOpenGuard(const DisplayOpenGuard&) = delete;
    DisplayOpenGuard& operator=(const DisplayOpenGuard&) = delete;

    // From now until release, a fatal message from Qt ends the program with
    // the no-display line naming triedDisplay.
    void arm(const std::string& triedDisplay);
    // The display opened: Qt's own message handling again, held messages first.
    void release();

private:
    bool armed_ = false;
    QtMessageHandler previous_ = nullptr;
};

// Before the application object: false, after saying so on stderr, when no
// display is named for a platform that needs one; arms guard when a display
// is named, whose opening only Qt can try.
bool prepareForDisplay(int argc, char** argv, DisplayOpenGuard& guard);

}  // namespace dravinor::app
