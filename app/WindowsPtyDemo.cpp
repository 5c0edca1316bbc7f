#include "PtyDemo.h"

namespace dravinor::app {

// Windows has no pseudo-terminals: its demo runs the controller inside the
// program (DravinorApp::demoMode), so no pty controller is ever made here.
void PtyDemoEnd::operator()(sim::ControllerSimulator*) const {}

PtyDemo startPtyDemo(const sim::SimulatorOptions&)
{
    PtyDemo demo;
    demo.error = "this system has no pseudo-terminals; the demo runs in the program";
    return demo;
}

}  // namespace dravinor::app
