#pragma once

#include "live/WidgetTime.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace dravinor::testing {

// Widget time that passes only when the test steps it: the live widgets'
// timers made while it is installed fire in date order as advance() passes
// their dates, and never on their own. Make it before the widgets it drives.
class SteppedTime final : public live::WidgetTime {
public:
    SteppedTime() { live::installWidgetTime(this); }
    ~SteppedTime() override { live::installWidgetTime(nullptr); }
    SteppedTime(const SteppedTime&) = delete;
    SteppedTime& operator=(const SteppedTime&) = delete;

    // Moves time on by ms, firing every timer that comes due on the way (a
    // repeating one as often as its interval fits). Returns how many fired.
    int advance(int ms)
    {
        const std::int64_t until = nowMs_ + ms;
        int fired = 0;
        while (true) {
            const auto next = std::min_element(dates_.begin(), dates_.end(), [](const Date& a, const Date& b) {
                return a.dueMs != b.dueMs ? a.dueMs < b.dueMs : a.order < b.order;
            });
            if (next == dates_.end() || next->dueMs > until)
                break;
            live::Ticker& ticker = *next->ticker;
            nowMs_ = std::max(nowMs_, next->dueMs);
            if (ticker.isSingleShot())
                dates_.erase(next);
            else  // a repeating 0 ms timer fires once a millisecond
                *next = {&ticker, nowMs_ + std::max(ticker.interval(), 1), order_++};
            ++fired;
            fire(ticker);
        }
        nowMs_ = until;
        return fired;
    }

    std::int64_t nowMs() const override { return nowMs_; }
    void arm(live::Ticker& ticker, int ms) override
    {
        disarm(ticker);
        dates_.push_back({&ticker, nowMs_ + std::max(ms, 0), order_++});
    }
    void disarm(live::Ticker& ticker) override
    {
        std::erase_if(dates_, [&](const Date& date) { return date.ticker == &ticker; });
    }

private:
    struct Date {
        live::Ticker* ticker;
        std::int64_t dueMs;
        std::uint64_t order;
    };
    std::int64_t nowMs_ = 0;
    std::uint64_t order_ = 0;
    std::vector<Date> dates_;
};

}  // namespace dravinor::testing
