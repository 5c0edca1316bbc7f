#include "reportpdf/ReportPainter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

#include <functional>
#include <vector>

namespace dravinor::reportpdf {

namespace {

const QColor ink(0x20, 0x20, 0x20);
const QColor notReadInk(0xA0, 0x10, 0x10);
const QColor rule(0x90, 0x90, 0x90);
const QColor headerShade(0xDD, 0xDD, 0xDD);
const QColor rowShade(0xF3, 0xF3, 0xF3);

QFont reportFont(qreal points, bool bold = false)
{
    QFont font(QString::fromLatin1(reportFontFamily));
    font.setPointSizeF(points);
    font.setBold(bold);
    // Any letter spacing turns the shaper's ligatures off: "off" stays three
    // letters for a search or a copy from the PDF. A 64th of a pixel is not seen.
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1.0 / 64);
    return font;
}

// One piece of a page, from top to bottom; painted with its top at y.
struct Block {
    qreal height = 0;
    std::function<void(QPainter&, qreal y)> paint;
    bool keepWithNext = false;  // a heading stays with what it heads
    int table = -1;             // a table's row: its header comes again after a break
};

class Layout {
public:
    explicit Layout(QPagedPaintDevice& device)
        : device_(device), width_(device.width()), height_(device.height()), unit_(device.logicalDpiY() / 72.0)
    {
    }

    qreal pt(qreal points) const { return points * unit_; }
    qreal width() const { return width_; }
    qreal bodyHeight() const { return height_ - pt(28); }  // the foot keeps its line

    qreal textHeight(const QString& text, const QFont& font, qreal width) const
    {
        const QFontMetricsF metrics(font, &device_);
        return metrics.boundingRect(QRectF(0, 0, width, 1e6), Qt::TextWordWrap, text).height();
    }

    std::vector<Block> blocks;
    std::vector<Block> tableHeaders;

private:
    QPagedPaintDevice& device_;
    qreal width_;
    qreal height_;
    qreal unit_;
};

void addTitle(Layout& layout, const QString& title)
{
    const QFont font = reportFont(16, true);
    const qreal h = layout.textHeight(title, font, layout.width());
    const qreal gap = layout.pt(10);
    layout.blocks.push_back({h + gap, [=, &layout](QPainter& p, qreal y) {
                                 p.setFont(font);
                                 p.setPen(ink);
                                 p.drawText(QRectF(0, y, layout.width(), h), Qt::TextWordWrap, title);
                                 p.setPen(QPen(rule, layout.pt(0.8)));
                                 p.drawLine(QPointF(0, y + h + gap / 3), QPointF(layout.width(), y + h + gap / 3));
                             }});
}

void addHeading(Layout& layout, const QString& heading)
{
    const QFont font = reportFont(12, true);
    const qreal above = layout.pt(12);
    const qreal h = layout.textHeight(heading, font, layout.width());
    layout.blocks.push_back({above + h + layout.pt(4),
                             [=, &layout](QPainter& p, qreal y) {
                                 p.setFont(font);
                                 p.setPen(ink);
                                 p.drawText(QRectF(0, y + above, layout.width(), h), Qt::TextWordWrap, heading);
                             },
                             true});
}

// A row of two columns; the caption column takes `split` of the width.
Block twoColumns(Layout& layout, const SheetRow& row, qreal split, const QFont& captionFont, const QFont& valueFont,
                 const QColor& shade)
{
    const qreal pad = layout.pt(3);
    const qreal captionWidth = layout.width() * split - 2 * pad;
    const qreal valueWidth = layout.width() * (1 - split) - 2 * pad;
    QFont valueShown = valueFont;
    valueShown.setItalic(row.notRead);
    const qreal h = std::max(layout.textHeight(row.caption, captionFont, captionWidth),
                             layout.textHeight(row.value, valueShown, valueWidth)) +
                    2 * pad;
    return {h, [=, &layout](QPainter& p, qreal y) {
                if (shade.isValid())
                    p.fillRect(QRectF(0, y, layout.width(), h), shade);
                p.setFont(captionFont);
                p.setPen(ink);
                p.drawText(QRectF(pad, y + pad, captionWidth, h), Qt::TextWordWrap, row.caption);
                p.setFont(valueShown);
                p.setPen(row.notRead ? notReadInk : ink);
                p.drawText(QRectF(layout.width() * split + pad, y + pad, valueWidth, h), Qt::TextWordWrap, row.value);
            }};
}

void addDetails(Layout& layout, const QList<SheetRow>& details)
{
    for (const SheetRow& row : details)
        layout.blocks.push_back(twoColumns(layout, row, 0.36, reportFont(10, true), reportFont(10), QColor()));
}

void addTable(Layout& layout, const QString& heading, const QString& captionColumn, const QString& valueColumn,
              const QList<SheetRow>& rows, qreal split)
{
    addHeading(layout, heading);
    const int table = static_cast<int>(layout.tableHeaders.size());
    Block header = twoColumns(layout, {captionColumn, valueColumn}, split, reportFont(9.5, true), reportFont(9.5, true),
                              headerShade);
    header.keepWithNext = true;
    layout.tableHeaders.push_back(header);
    layout.blocks.push_back(header);
    for (qsizetype i = 0; i < rows.size(); ++i) {
        Block row = twoColumns(layout, rows[i], split, reportFont(9.5), reportFont(9.5), i % 2 ? rowShade : QColor());
        row.table = table;
        layout.blocks.push_back(row);
    }
}

void addParagraph(Layout& layout, const QString& text, qreal points, const QColor& colour)
{
    const QFont font = reportFont(points);
    const qreal above = layout.pt(6);
    const qreal h = layout.textHeight(text, font, layout.width());
    layout.blocks.push_back({above + h, [=, &layout](QPainter& p, qreal y) {
                                 p.setFont(font);
                                 p.setPen(colour);
                                 p.drawText(QRectF(0, y + above, layout.width(), h), Qt::TextWordWrap, text);
                             }});
}

void addPicture(Layout& layout, const QString& heading, const SheetPicture& picture)
{
    addHeading(layout, heading);
    // As wide as the page allows, never taller than half a page.
    QSizeF size =
        QSizeF(picture.aspectRatio, 1).scaled(QSizeF(layout.width(), layout.bodyHeight() / 2), Qt::KeepAspectRatio);
    layout.blocks.push_back({size.height(), [=](QPainter& p, qreal y) {
                                 p.save();
                                 picture.paint(p, QRectF(QPointF(0, y), size));
                                 p.restore();
                             }});
}

void addSignature(Layout& layout, const QString& signature)
{
    const QFont font = reportFont(9);
    const qreal space = layout.pt(48);
    const qreal h = layout.textHeight(signature, font, layout.width() / 2);
    layout.blocks.push_back({space + h, [=, &layout](QPainter& p, qreal y) {
                                 const qreal left = layout.width() / 2;
                                 p.setPen(QPen(ink, layout.pt(0.6)));
                                 p.drawLine(QPointF(left, y + space - layout.pt(2)),
                                            QPointF(layout.width(), y + space - layout.pt(2)));
                                 p.setFont(font);
                                 p.drawText(QRectF(left, y + space, layout.width() - left, h),
                                            Qt::AlignHCenter | Qt::TextWordWrap, signature);
                             }});
}

using Page = std::vector<const Block*>;

// Blocks into pages: a block that does not fit starts the next page; a
// heading goes along with the block after it; a table's row that starts a
// page has the table's header put above it.
std::vector<Page> paginate(const Layout& layout)
{
    std::vector<Page> pages(1);
    qreal y = 0;
    const auto& blocks = layout.blocks;
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        qreal needed = blocks[i].height;
        for (std::size_t next = i; blocks[next].keepWithNext && next + 1 < blocks.size(); ++next)
            needed += blocks[next + 1].height;
        if (y > 0 && y + needed > layout.bodyHeight()) {
            pages.emplace_back();
            y = 0;
            if (blocks[i].table >= 0) {
                const Block& header = layout.tableHeaders[static_cast<std::size_t>(blocks[i].table)];
                pages.back().push_back(&header);
                y += header.height;
            }
        }
        pages.back().push_back(&blocks[i]);
        y += blocks[i].height;
    }
    return pages;
}

}  // namespace

bool paintReport(const ReportSheet& sheet, QPagedPaintDevice& device)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);

    Layout layout(device);
    addTitle(layout, sheet.title);
    addDetails(layout, sheet.details);
    addTable(layout, sheet.parametersHeading, sheet.parameterColumn, sheet.valueColumn, sheet.parameters, 0.62);
    if (!sheet.notReadNote.isEmpty())
        addParagraph(layout, sheet.notReadNote, 8.5, notReadInk);
    if (!sheet.adaptationHeading.isEmpty()) {
        addTable(layout, sheet.adaptationHeading, sheet.parameterColumn, sheet.measuredColumn, sheet.adaptation, 0.62);
        addParagraph(layout, sheet.measuredNote, 8.5, ink);
    }
    if (!sheet.trace.isNull())
        addPicture(layout, sheet.traceHeading, sheet.trace);
    addSignature(layout, sheet.signature);
    if (!sheet.technical.isEmpty())
        addTable(layout, sheet.technicalHeading, sheet.parameterColumn, sheet.valueColumn, sheet.technical, 0.62);

    const std::vector<Page> pages = paginate(layout);
    const QFont footFont = reportFont(8);
    for (std::size_t n = 0; n < pages.size(); ++n) {
        if (n > 0 && !device.newPage())
            return false;
        qreal y = 0;
        for (const Block* block : pages[n]) {
            block->paint(painter, y);
            y += block->height;
        }
        painter.setFont(footFont);
        painter.setPen(rule);
        const QRectF foot(0, device.height() - layout.pt(14), device.width(), layout.pt(14));
        painter.drawLine(foot.topLeft(), foot.topRight());
        painter.setPen(ink);
        painter.drawText(foot, Qt::AlignLeft | Qt::AlignBottom, sheet.footer);
        painter.drawText(foot, Qt::AlignRight | Qt::AlignBottom, sheet.pageNumber.arg(n + 1).arg(pages.size()));
    }
    return painter.end();
}

}  // namespace dravinor::reportpdf
