#include "CliSession.h"
#include "Commands.h"
#include "DiffPrinter.h"
#include "ParameterFileCommands.h"

#include <iostream>
#include <memory>

namespace dravinor::cli {

namespace {

// diff's own exit codes, as the diff program has them.
constexpr int diffSame = 0;
constexpr int diffDifferent = 1;
constexpr int diffTrouble = 2;

constexpr const char* controllerWord = "controller";

// The controller is found and read once, whichever side names it.
class SetSource {
public:
    SetSource(const CliOptions& options, const params::SessionWiring& wiring) : options_(options), wiring_(wiring) {}

    bool load(const std::string& name, params::ParameterBlock& block)
    {
        if (name != controllerWord) {
            std::uintmax_t size = 0;
            if (loadFile(name, block, &size) != exitSuccess)
                return false;
            warnAboutSize(name, size);
            return true;
        }
        if (!session_) {
            session_ = std::make_unique<CliSession>(wiring_);
            if (!session_->init(options_) || session_->connect(OnConnect::ReadParameters) != exitSuccess)
                return false;
            if (!session_->lastRead().complete()) {
                std::cerr << "dravinor-cli: the controller's parameters could not all be read\n";
                return false;
            }
        }
        block = session_->state().block();
        return true;
    }

private:
    const CliOptions& options_;
    const params::SessionWiring& wiring_;
    std::unique_ptr<CliSession> session_;
};

}  // namespace

int runDiff(const CliOptions& options, const params::SessionWiring& wiring)
{
    const auto& args = options.arguments;
    SetSource source(options, wiring);
    params::ParameterBlock first, second;
    if (!source.load(args[0], first) || !source.load(args[1], second))
        return diffTrouble;
    return printDifferences(shippedPolishTexts(), first, second, args[0], args[1]) == 0 ? diffSame : diffDifferent;
}

}  // namespace dravinor::cli
