#include "ui/report/ReportSources.h"

#include "ui/pages/FieldCaptions.h"

#include "lang/ShownNumbers.h"
#include "live/LivePage.h"
#include "live/OscilloscopeGroup.h"
#include "live/TraceChart.h"
#include "params/ControllerSession.h"
#include "wizard/AdaptationEngine.h"

#include <QPointer>
#include <QWidget>

namespace dravinor::ui {

ReportSources windowReportSources(params::ControllerSession& session, const wizard::AdaptationEngine& adaptation,
                                  const live::LivePage& livePage, const QWidget* pagesRoot)
{
    ReportSources sources;
    sources.content = [&session, &adaptation](const report::CarDetails& car) {
        report::ReportContent content;
        content.car = car;
        content.date = report::today();
        const auto& state = session.state();
        content.values = report::reportValues(state.block(), state.unreadAddresses());
        // Without a controller the pages hold the default set or a file's
        // values, which no controller confirmed.
        if (session.port().controllerConnected()) {
            content.source = report::ValueSource::Controller;
            content.identity = session.connection().identity();
        } else {
            content.source = report::ValueSource::PagesWithoutController;
        }
        // In the wizard pages' own figures, as the language writes numbers.
        content.adaptation = report::summariseAdaptation(adaptation.result(), lang::decimalSeparator());
        return content;
    };
    const QPointer<const QWidget> root(pagesRoot);
    sources.texts = {[root](const fields::PageValue& value) { return pageValueCaption(value, root); },
                     [root](const fields::PageValue& value) { return pageValueText(value, root); }};
    const live::OscilloscopeGroup* group = &livePage.oscilloscope();
    sources.traceFrozen = [group] { return group->frozen(); };
    sources.tracePicture = [group] {
        return reportpdf::SheetPicture{static_cast<double>(live::traceChartWidth) / live::traceChartHeight,
                                       [chart = group->chart()](QPainter& painter, const QRectF& area) {
                                           live::paintTraceChart(painter, area, chart);
                                       }};
    };
    return sources;
}

}  // namespace dravinor::ui
