#include "reportpdf/ReportPdf.h"

#include "params/PathText.h"
#include "reportpdf/ReportPainter.h"

#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>

namespace dravinor::reportpdf {

namespace {

constexpr int resolutionDpi = 300;

}  // namespace

PdfResult saveReportPdf(const ReportSheet& sheet, const QString& path)
{
    // QSaveFile would rename its temporary over whatever holds the name.
    const params::SaveTarget target = params::examineSaveTarget(params::pathFromUtf8(path.toStdString()));
    if (!target.savable())
        return {PdfOutcome::CannotCreate, QString::fromStdString(params::systemTextOf(target)), target};
    QSaveFile file(QFileInfo(target.file).filePath());
    if (!file.open(QIODevice::WriteOnly))
        return {PdfOutcome::CannotCreate, file.errorString(), target};
    bool painted = false;
    {
        // The writer finishes the document when it goes.
        QPdfWriter writer(&file);
        writer.setResolution(resolutionDpi);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(18, 16, 18, 14),
                                         QPageLayout::Millimeter));
        writer.setTitle(sheet.title);
        writer.setCreator(QStringLiteral("Dravinor"));
        painted = paintReport(sheet, writer);
    }
    if (!painted) {
        file.cancelWriting();
        return {PdfOutcome::CannotWrite, {}, target};
    }
    if (!file.commit())
        return {PdfOutcome::CannotWrite, file.errorString(), target};
    return {PdfOutcome::Saved, {}, target};
}

}  // namespace dravinor::reportpdf
