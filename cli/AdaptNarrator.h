#pragma once

#include "PolishTexts.h"

#include "wizard/AdaptationEngine.h"

#include <cstdio>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace dravinor::cli {

// Tells on a text stream what the wizard pages would show, in their words
// (the Polish language file's where texts gives them): prompts as they
// appear, done items as they are ticked off with the results beside them,
// and a progress line (redrawn in place on a terminal, otherwise printed
// at most once a second).
class AdaptNarrator {
public:
    AdaptNarrator(std::FILE* out, bool terminal, PolishTexts texts = {})
        : out_(out), terminal_(terminal), texts_(std::move(texts))
    {
    }

    // A control's text on its page.
    std::string wordsOf(wizard::WizardControl control) const { return texts_.wizardText(control); }
    // A list's caption and the chosen item, as the first page shows them.
    std::string choice(wizard::WizardControl caption, wizard::WizardControl list, int item,
                       std::string_view builtInItem) const;

    // Lines for what the last handlers changed on the pages.
    void report(wizard::AdaptationEngine& engine);
    // The progress line; nowMs is a steady clock.
    void progress(const wizard::AdaptationEngine& engine, long nowMs);
    void line(const std::string& text);
    // Every write of the adaptation the controller did not acknowledge (the
    // entry reset's and the single writes'), as the journal marks them;
    // true when there was any.
    bool reportUnacknowledged(const wizard::AdaptationEngine& engine);
    // The done items ticked off so far, in the order they were.
    const std::vector<std::string>& doneItems() const { return done_; }
    // A probe the lambda phases found failed, in the command line's words.
    void reportFailedProbe(const wizard::AdaptationEngine& engine);

private:
    void clearProgress();
    // A done item that stands for writes is ticked off once they were made,
    // and only when the controller acknowledged them.
    void reportDoneItem(const wizard::AdaptationEngine& engine, wizard::WizardControl label);
    void reportResults(const wizard::AdaptationResult& result, wizard::WizardControl label);
    void reportWrittenItems(const wizard::AdaptationEngine& engine);
    // A page that starts: its caption and the instructions that stand on it.
    void reportPage(wizard::WizardPage page);
    // The line's state: silence, and phases measured on an unreliable line.
    void reportLine(const wizard::AdaptationEngine& engine);

    std::FILE* out_;
    bool terminal_;
    PolishTexts texts_;
    bool progressShown_ = false;
    long lastProgressMs_ = -1'000'000;
    std::set<wizard::WizardControl> visiblePrompts_;
    std::set<wizard::WizardControl> enabledLabels_;
    std::vector<std::string> done_;
    std::vector<wizard::WizardControl> awaitingWrites_;  // done labels whose writes are still to come
    std::optional<wizard::WizardPage> page_;
    bool silentTold_ = false;
    std::size_t doubtfulTold_ = 0;
};

}  // namespace dravinor::cli
