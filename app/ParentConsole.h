#pragma once

namespace dravinor::app {

// Lets what the program prints reach the terminal it was started from. On
// Windows the window is a GUI program with no console of its own: it joins
// the console of the cmd that started it, so that --help, --version and a
// start-up error are read there. Elsewhere the streams are already there.
void reachParentConsole();

}  // namespace dravinor::app
