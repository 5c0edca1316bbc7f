#pragma once

#include "report/ReportContent.h"

#include <QList>
#include <QString>

#include <functional>

class QPainter;
class QRectF;

namespace dravinor::reportpdf {

// A picture its owner draws onto the report's own painter, so that it stays
// vector in the PDF: its width over its height, and the drawing into a
// rectangle of that shape.
struct SheetPicture {
    double aspectRatio = 0;
    std::function<void(QPainter&, const QRectF&)> paint;
    bool isNull() const { return aspectRatio <= 0 || !paint; }
};

// A label and its text, or a row of a table with the mark of a value the
// controller did not give.
struct SheetRow {
    QString caption;
    QString value;
    bool notRead = false;
};

// The report as the texts of one language, ready to be laid out on pages.
struct ReportSheet {
    QString title;
    QList<SheetRow> details;  // the car, the workshop, the date, the controller
    QString parametersHeading;
    QString parameterColumn;
    QString valueColumn;
    QList<SheetRow> parameters;  // the pages' values; check boxes in words
    QString notReadNote;         // under the table; empty when every value was read
    QString adaptationHeading;   // empty: no adaptation ran
    QString measuredColumn;      // the adaptation's figures are what it measured
    QList<SheetRow> adaptation;
    QString measuredNote;  // the stored values are the table's, in the controller's steps
    QString traceHeading;
    SheetPicture trace;  // null: no picture
    QString signature;
    // After the signature, for the workshop: the stored values no page shows
    // (flag bits, the emulation's output code, the switch-over period).
    QString technicalHeading;
    QList<SheetRow> technical;
    QString pageNumber;  // "%1 of %2"
    QString footer;      // at every page's foot beside its number
};

// How the caller names a value in its language: its caption and what it
// shows (list items included). The defaults are the pages' built-in texts.
struct ValueTexts {
    std::function<QString(const fields::PageValue&)> caption;
    std::function<QString(const fields::PageValue&)> value;
};
ValueTexts builtInValueTexts();

// The sheet of the content in the text slots' current language; the trace
// picture is the caller's.
ReportSheet sheetFor(const report::ReportContent& content, const ValueTexts& texts = builtInValueTexts());

}  // namespace dravinor::reportpdf
