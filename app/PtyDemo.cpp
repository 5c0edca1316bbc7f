#include "PtyDemo.h"

#include "ControllerSimulator.h"

namespace dravinor::app {

void PtyDemoEnd::operator()(sim::ControllerSimulator* simulator) const
{
    delete simulator;
}

PtyDemo startPtyDemo(const sim::SimulatorOptions& options)
{
    PtyDemo demo;
    PtyDemoController simulator(new sim::ControllerSimulator(options));
    if (!simulator->start(&demo.error))
        return demo;
    demo.path = simulator->slavePath();
    demo.car = simulator.get();
    demo.controller = std::move(simulator);
    return demo;
}

}  // namespace dravinor::app
