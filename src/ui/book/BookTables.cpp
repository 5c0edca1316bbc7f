#include "ui/book/BookTables.h"

#include "ui/book/CarBookTexts.h"

#include <QDateTime>
#include <QHeaderView>
#include <QTableWidget>

namespace dravinor::ui::carbook {

namespace {

QTableWidgetItem* cell(const QString& text, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    item->setTextAlignment(alignment);
    return item;
}

QTableWidgetItem* mark(bool has)
{
    return cell(slotText(has ? lang::slot::report::yes : lang::slot::report::no), Qt::AlignCenter);
}

// "3 v2": the controller's type and firmware, as the visit noted them.
QString controllerText(const book::Visit& visit)
{
    if (visit.controllerType.empty())
        return {};
    QString text = QString::fromStdString(visit.controllerType);
    if (!visit.firmware.empty())
        text += " v" + QString::fromStdString(visit.firmware);
    return text;
}

// How many values the visit's writes changed, as the journal still holds
// them, each in the tooltip.
QTableWidgetItem* writesCell(const VisitWrites& writes)
{
    if (!writes.kept)
        return cell({});
    if (writes.lines.isEmpty()) {
        QTableWidgetItem* gone = cell(QStringLiteral("-"), Qt::AlignCenter);
        gone->setToolTip(slotText(journalGone));
        return gone;
    }
    QTableWidgetItem* count = cell(QString::number(writes.changes), Qt::AlignCenter);
    // A tooltip a screen can hold: the newest changes, and how many more.
    constexpr qsizetype shownLines = 30;
    QStringList shown = writes.lines.mid(0, shownLines);
    if (writes.lines.size() > shownLines)
        shown << QStringLiteral("(+%1)").arg(writes.lines.size() - shownLines);
    count->setToolTip(shown.join(u'\n'));
    return count;
}

void setHeaders(QTableWidget& table, const QStringList& headers)
{
    table.setColumnCount(static_cast<int>(headers.size()));
    table.setHorizontalHeaderLabels(headers);
}

}  // namespace

QString visitTime(std::int64_t utcSeconds)
{
    return QDateTime::fromSecsSinceEpoch(utcSeconds).toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"));
}

void showCarHeaders(QTableWidget& table)
{
    setHeaders(table, {slotText(registrationHeader), slotText(makeModelHeader)});
}

void showCars(QTableWidget& table, const std::vector<book::CarSummary>& cars)
{
    table.setRowCount(static_cast<int>(cars.size()));
    for (int row = 0; row < table.rowCount(); ++row) {
        const book::Car& car = cars[static_cast<std::size_t>(row)].car;
        auto* registration = cell(QString::fromStdString(car.registration));
        registration->setData(Qt::UserRole, static_cast<qlonglong>(car.id));
        table.setItem(row, RegistrationColumn, registration);
        table.setItem(row, MakeModelColumn, cell(QString::fromStdString(car.makeModel)));
    }
}

void showVisitHeaders(QTableWidget& table)
{
    setHeaders(table,
               {slotText(timeHeader), slotText(odometerHeader), slotText(controllerHeader), slotText(readSetHeader),
                slotText(endSetHeader), slotText(reportHeader), slotText(adaptationHeader), slotText(journalHeader)});
}

void showVisits(QTableWidget& table, const std::vector<book::Visit>& visits, const std::vector<VisitWrites>& writes)
{
    table.setRowCount(static_cast<int>(visits.size()));
    for (int row = 0; row < table.rowCount(); ++row) {
        const book::Visit& visit = visits[static_cast<std::size_t>(row)];
        table.setItem(row, TimeColumn, cell(visitTime(visit.time)));
        table.setItem(
            row, OdometerColumn,
            cell(visit.odometer ? QString::number(*visit.odometer) : QString(), Qt::AlignRight | Qt::AlignVCenter));
        table.setItem(row, ControllerColumn, cell(controllerText(visit)));
        table.setItem(row, ReadSetColumn, mark(visit.readSet.has_value()));
        table.setItem(row, EndSetColumn, mark(visit.endSet.has_value()));
        table.setItem(row, ReportColumn, mark(visit.reportPdf.has_value()));
        QTableWidgetItem* adaptation = mark(visit.adaptation.has_value());
        // What it measured, as kept with the visit, for a look without leaving the list.
        if (visit.adaptation)
            adaptation->setToolTip(QString::fromStdString(*visit.adaptation).trimmed());
        table.setItem(row, AdaptationColumn, adaptation);
        const auto index = static_cast<std::size_t>(row);
        table.setItem(row, JournalColumn, index < writes.size() ? writesCell(writes[index]) : cell({}));
    }
}

}  // namespace dravinor::ui::carbook
