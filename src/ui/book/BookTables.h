#pragma once

#include "book/BookRecords.h"

#include <QString>
#include <QStringList>

#include <vector>

class QTableWidget;

namespace dravinor::ui::carbook {

// The book window's two tables: the cars a search found and one car's
// visits, newest first, as the fitter reads them.

enum CarColumn { RegistrationColumn, MakeModelColumn, carColumns };
enum VisitColumn {
    TimeColumn,
    OdometerColumn,
    ControllerColumn,
    ReadSetColumn,
    EndSetColumn,
    ReportColumn,
    AdaptationColumn,
    JournalColumn,
    visitColumns
};

// What the journal still holds of a visit's writes, a line each, newest
// first: the values they changed, and the summaries of bulk writes. `kept`:
// the visit wrote any (a visit before its journal's oldest entry keeps its
// range but finds no lines).
struct VisitWrites {
    bool kept = false;
    int changes = 0;
    QStringList lines;
};

// A visit's time in local time, to the minute: "2026-12-09 15:05".
QString visitTime(std::int64_t utcSeconds);

// Headers in the current language, rows as given; each car row keeps its
// car's id (Qt::UserRole).
void showCarHeaders(QTableWidget& table);
void showCars(QTableWidget& table, const std::vector<book::CarSummary>& cars);
void showVisitHeaders(QTableWidget& table);
// `writes`: one per visit, or none when the journal was not read.
void showVisits(QTableWidget& table, const std::vector<book::Visit>& visits,
                const std::vector<VisitWrites>& writes = {});

}  // namespace dravinor::ui::carbook
