#include "reportpdf/ReportSheet.h"

#include "lang/ShownNumbers.h"
#include "lang/TextSlots.h"

namespace dravinor::reportpdf {

namespace key = lang::slot::report;

namespace {

QString fromStd(const std::string& text)
{
    return QString::fromStdString(text);
}
QString slot(int k)
{
    return fromStd(lang::textSlots().text(k));
}

QString controllerText(const report::ReportContent& content)
{
    switch (content.source) {
    case report::ValueSource::Controller:
        if (content.identity)
            return slot(key::controllerIdentity).arg(content.identity->type()).arg(content.identity->firmware());
        return slot(key::identityUnknown);
    case report::ValueSource::ParameterFile: return slot(key::fromFile).arg(fromStd(content.fileName));
    case report::ValueSource::PagesWithoutController: break;
    }
    return slot(key::noController);
}

QString valueCell(const report::ReportValue& row, const ValueTexts& texts)
{
    switch (row.reading) {
    case fields::ValueReading::NotRead: return slot(key::notRead);
    case fields::ValueReading::IgnitionTypeNotRead: return slot(key::ignitionTypeNotRead);
    case fields::ValueReading::Read: break;
    }
    if (row.value.checkBox)
        return slot(row.value.item ? key::yes : key::no);
    return texts.value(row.value);
}

QList<SheetRow> adaptationRows(const report::AdaptationSummary& summary)
{
    QList<SheetRow> rows;
    for (const report::AdaptationLine& line : summary.lines) {
        QStringList shown;
        for (const std::string& text : line.shown)
            shown << fromStd(text);
        QString value = shown.join(QStringLiteral(" / "));
        if (!line.unit.empty())
            value += u' ' + fromStd(lang::unitInLanguage(line.unit));
        rows.append({slot(key::firstFigure + static_cast<int>(line.figure)), value});
    }
    if (!summary.unacknowledged.empty()) {
        QStringList addresses;
        for (int address : summary.unacknowledged)
            addresses << QString::number(address);
        rows.append({slot(key::unacknowledged), addresses.join(QStringLiteral(", ")), true});
    }
    if (summary.doubtfulPhases > 0)
        rows.append({slot(key::doubtfulPhases), QString::number(summary.doubtfulPhases), true});
    if (const auto& probe = summary.failedProbe) {
        const auto volts = [](float v) { return fromStd(lang::decimalText(v, 2)); };
        const QString value = slot(probe->wentOn ? key::probeWentOn : key::probeStopped)
                                  .arg(slot(lang::slot::probeVerdict + static_cast<int>(probe->verdict)),
                                       volts(probe->minVolts), volts(probe->maxVolts));
        rows.append({slot(key::failedProbe), value, true});
    }
    return rows;
}

}  // namespace

ValueTexts builtInValueTexts()
{
    return {[](const fields::PageValue& value) { return fromStd(value.caption); },
            [](const fields::PageValue& value) { return fromStd(value.withUnit()); }};
}

ReportSheet sheetFor(const report::ReportContent& content, const ValueTexts& texts)
{
    ReportSheet sheet;
    sheet.title = slot(key::sheetTitle);
    const QString date = fromStd(report::dateText(content.date));
    sheet.details = {
        {slot(key::registration), fromStd(content.car.registration)},
        {slot(key::makeAndModel), fromStd(content.car.makeAndModel)},
        {slot(key::odometer), fromStd(content.car.odometer)},
        {slot(key::workshop), fromStd(content.car.workshop)},
        {slot(key::date), date},
        {slot(key::controller), controllerText(content), content.source != report::ValueSource::Controller},
    };
    sheet.parametersHeading = slot(key::parameters);
    sheet.parameterColumn = slot(key::parameterColumn);
    sheet.valueColumn = slot(key::valueColumn);
    for (const report::ReportValue& row : content.values)
        (row.value.hidden ? sheet.technical : sheet.parameters)
            .append({texts.caption(row.value), valueCell(row, texts), row.reading != fields::ValueReading::Read});
    if (!sheet.technical.isEmpty())
        sheet.technicalHeading = slot(key::technical);
    if (content.anyNotRead())
        sheet.notReadNote =
            slot(content.source == report::ValueSource::ParameterFile ? key::notInFileNote : key::notReadNote);
    if (content.adaptation) {
        sheet.adaptationHeading = slot(content.adaptation->finished ? key::adaptationFinished : key::adaptationStopped);
        sheet.measuredColumn = slot(key::measuredColumn);
        sheet.adaptation = adaptationRows(*content.adaptation);
        sheet.measuredNote = slot(key::measuredNote);
    }
    sheet.traceHeading = slot(key::trace);
    sheet.signature = slot(key::signature);
    sheet.pageNumber = slot(key::pageNumber);
    QStringList footer;
    for (const QString& part : {fromStd(content.car.workshop), fromStd(content.car.registration), date})
        if (!part.trimmed().isEmpty())
            footer << part.trimmed();
    sheet.footer = footer.join(QStringLiteral(" · "));
    return sheet;
}

}  // namespace dravinor::reportpdf
