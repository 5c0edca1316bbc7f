#pragma once

#include "reportpdf/ReportSheet.h"

class QPagedPaintDevice;

namespace dravinor::reportpdf {

// Lays the sheet out on the device's pages (A4 for a PDF, the printer's
// paper when printing): breaks fall between rows, a table carried on to a
// new page repeats its header, and every page has its number of the total.
// False when painting on the device could not start.
bool paintReport(const ReportSheet& sheet, QPagedPaintDevice& device);

// Fonts with Polish and Cyrillic letters, whatever the system's default is.
inline constexpr const char* reportFontFamily = "DejaVu Sans";

}  // namespace dravinor::reportpdf
