#pragma once

#include "report/ReportContent.h"
#include "reportpdf/ReportSheet.h"

#include <functional>

class QWidget;

namespace dravinor::live {
class LivePage;
}
namespace dravinor::params {
class ControllerSession;
}
namespace dravinor::wizard {
class AdaptationEngine;
}

namespace dravinor::ui {

// Where the customer's report takes its parts from, read at the moment a
// report is made: the values and the controller, the texts of the current
// language, and the trace's held picture.
struct ReportSources {
    // The content for the car details typed (the date is today).
    std::function<report::ReportContent(const report::CarDetails&)> content;
    reportpdf::ValueTexts texts;
    // Whether the trace is frozen now, and its held picture, drawn as the
    // exported one.
    std::function<bool()> traceFrozen;
    std::function<reportpdf::SheetPicture()> tracePicture;
};

// The window's: the pages' set and its unread marks, the controller when
// one is connected, the adaptation of this session, captions and list items
// as the pages under pagesRoot show them now.
ReportSources windowReportSources(params::ControllerSession& session, const wizard::AdaptationEngine& adaptation,
                                  const live::LivePage& livePage, const QWidget* pagesRoot);

}  // namespace dravinor::ui
