#pragma once

#include "book/BookRecords.h"

#include <QString>

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
    visitColumns
};

// A visit's time in local time, to the minute: "2026-12-09 15:05".
QString visitTime(std::int64_t utcSeconds);

// Headers in the current language, rows as given; each car row keeps its
// car's id (Qt::UserRole).
void showCarHeaders(QTableWidget& table);
void showCars(QTableWidget& table, const std::vector<book::CarSummary>& cars);
void showVisitHeaders(QTableWidget& table);
void showVisits(QTableWidget& table, const std::vector<book::Visit>& visits);

}  // namespace dravinor::ui::carbook
