#pragma once

#include "params/SaveTarget.h"
#include "reportpdf/ReportSheet.h"

#include <QString>

namespace dravinor::reportpdf {

enum class PdfOutcome {
    Saved,
    CannotCreate,  // no file can be made there (no such folder, no permission; a folder, a FIFO
                   // or a device holds the name, and then `target` says which)
    CannotWrite,   // writing or replacing the file failed; whatever stood there is as it was
};

struct PdfResult {
    PdfOutcome outcome = PdfOutcome::Saved;
    QString systemText;         // the system's reason, when it gave one
    params::SaveTarget target;  // what the name held, looked at before anything was written
    bool ok() const { return outcome == PdfOutcome::Saved; }
};

// The sheet as an A4 PDF at path: onto a regular file or a new name only
// (a FIFO or a device node is refused untouched). The pages go to a
// temporary file beside it that replaces the file only once complete: a
// failure leaves nothing half-written.
PdfResult saveReportPdf(const ReportSheet& sheet, const QString& path);

}  // namespace dravinor::reportpdf
