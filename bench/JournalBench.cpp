// Opening "Dziennik zmian" on a journal of 10,000 entries: read the newest
// rows from the end, join the word halves, fill the table and paint the
// window once. Median of
// many runs, against the 100 ms goal.
//
//   dravinor_journal_bench [entries] [runs]
#include "SilentDialogs.h"
#include "params/ControllerSession.h"
#include "params/WriteJournal.h"
#include "ui/journal/JournalTableModel.h"
#include "ui/journal/JournalWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace dravinor;

namespace {

// A realistic mix: field writes, word halves, a bulk write now and then.
std::vector<params::JournalEntry> someEntries(int count)
{
    std::vector<params::JournalEntry> entries;
    for (int i = 0; i < count; ++i) {
        params::JournalEntry e;
        e.time = "2026-12-08T07:32:05.123Z";
        e.port = "COM1";
        e.controller = "3/1";
        e.kind = i % 50 == 49 ? params::JournalKind::WriteAll : params::JournalKind::Write;
        e.source = params::WriteSource::Field;
        if (e.kind == params::JournalKind::WriteAll) {
            e.note = "35/35 acknowledged, 3 changed";
        } else {
            e.address = e.lastAddress = i % 10 < 2 ? 14 + i % 2 : 1 + i % 13;
            e.field = "ODPBenzynaGas";
            e.oldRaw = 19;
            e.newRaw = 25;
            e.oldShown = "2200 RPM";
            e.newShown = "2400 RPM";
        }
        e.acknowledged = true;
        entries.push_back(e);
    }
    return entries;
}

}  // namespace

int main(int argc, char** argv)
{
    const int count = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 20;
    QTemporaryDir dir;
    ::setenv("DRAVINOR_STATE_DIR", qPrintable(dir.path()), 1);
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    params::WriteJournal journal(params::WriteJournal::defaultPath());
    const auto entries = someEntries(count);
    for (std::size_t i = 0; i < entries.size(); i += 500)
        journal.append(std::vector<params::JournalEntry>(
            entries.begin() + static_cast<std::ptrdiff_t>(i),
            entries.begin() + static_cast<std::ptrdiff_t>(std::min(i + 500, entries.size()))));
    const std::size_t lines = journal.readOldestFirst().size();

    params::ControllerSession session;
    bench::SilentDialogs dialogs;
    std::vector<double> times;
    int rows = 0;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        ui::JournalWindow window(session, &dialogs, nullptr);
        window.refresh();
        window.show();
        QApplication::processEvents();
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        rows = window.model().rowCount();
    }
    std::sort(times.begin(), times.end());
    const double ms = times[times.size() / 2];
    std::printf(
        "journal of %zu entries (%d rows listed at first, the rest as they are scrolled to), median of %d runs\n",
        lines, rows, runs);
    std::printf("open (read + table filled + first paint): %.2f ms; goal 100 ms, ratio %.3f (goal <= 1)\n", ms,
                ms / 100.0);
    return 0;
}
