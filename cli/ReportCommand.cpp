#include "Arguments.h"
#include "CliSession.h"
#include "Commands.h"
#include "CurrentCarVisit.h"
#include "ParameterFileCommands.h"
#include "PolishTexts.h"
#include "ReadFailureText.h"
#include "SaveTargetText.h"

#include "report/ReportContent.h"
#include "reportpdf/ReportPdf.h"
#include "reportpdf/ReportSheet.h"

#include "params/PathText.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <array>
#include <iostream>
#include <memory>

namespace dravinor::cli {

namespace {

// Qt names the runtime folder it falls back on when XDG_RUNTIME_DIR is not
// set (a root shell, a cron job): the offscreen platform never uses it, so
// that one notice is no news for the fitter. Everything else goes on.
QtMessageHandler previousHandler = nullptr;

void quietAboutRuntimeFolder(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    if (previousHandler)
        previousHandler(type, context, message);
}

// Fonts and the PDF writer need a GUI application; the command line has no
// screen, so it gets the offscreen platform, and only for this command.
class OffscreenGui {
public:
    OffscreenGui()
    {
        if (QCoreApplication::instance())
            return;
        previousHandler = qInstallMessageHandler(quietAboutRuntimeFolder);
        // The application takes out the arguments it used: each run gets its
        // own, alive as long as the application.
        argc_ = 3;
        argv_ = {name_, platform_, offscreen_, nullptr};
        app_ = std::make_unique<QGuiApplication>(argc_, argv_.data());
    }
    ~OffscreenGui()
    {
        if (!app_)
            return;
        app_.reset();
        qInstallMessageHandler(previousHandler);
    }
    OffscreenGui(const OffscreenGui&) = delete;
    OffscreenGui& operator=(const OffscreenGui&) = delete;

private:
    char name_[13] = "dravinor-cli";
    char platform_[10] = "-platform";
    char offscreen_[10] = "offscreen";
    int argc_ = 0;
    std::array<char*, 4> argv_{};
    std::unique_ptr<QGuiApplication> app_;
};

report::CarDetails carDetails(const CliOptions& options)
{
    return {options.value("--registration").value_or(""), options.value("--make-model").value_or(""),
            options.value("--odometer").value_or(""), options.value("--workshop").value_or("")};
}

QString fromStd(const std::string& text)
{
    return QString::fromStdString(text);
}

// The pages' captions and list items as the window shows them at start-up
// (the Polish language file's slot texts too, for the report's own words).
reportpdf::ValueTexts polishPageTexts()
{
    const auto texts = std::make_shared<const PolishTexts>(shippedPolishTexts());
    return {[texts](const fields::PageValue& value) { return fromStd(texts->caption(value)); },
            [texts](const fields::PageValue& value) { return fromStd(texts->shown(value)); }};
}

int writeReport(const report::ReportContent& content, const std::string& output)
{
    const OffscreenGui gui;
    const auto sheet = reportpdf::sheetFor(content, polishPageTexts());
    const auto result = reportpdf::saveReportPdf(sheet, QString::fromStdString(output));
    if (!result.target.savable() && result.target.kind != params::SaveTargetKind::Unreachable) {
        tellRefusedOutput(output, "the report", result.target);
        return exitFileError;
    }
    if (!result.ok()) {
        std::cerr << "dravinor-cli: " << output << ": "
                  << (result.outcome == reportpdf::PdfOutcome::CannotCreate ? "cannot create the report there"
                                                                            : "cannot write the report");
        if (!result.systemText.isEmpty())
            std::cerr << " (" << result.systemText.toStdString() << ")";
        std::cerr << "; nothing written\n";
        return exitFileError;
    }
    std::cerr << "Saved " << output << '\n';
    return exitSuccess;
}

}  // namespace

int runReport(const CliOptions& options, const params::SessionWiring& wiring)
{
    const std::string output = options.value("-o").value_or("");
    if (output.empty())
        return usageError("report", "report needs -o FILE");
    // Neither the controller nor the file is read for a report that would be refused.
    if (!outputAccepted(output, "the report"))
        return exitFileError;
    report::ReportContent content;
    content.car = carDetails(options);
    content.date = report::today();

    if (const auto file = options.value("--file")) {
        params::ParameterBlock block;
        std::uintmax_t size = 0;
        if (const int code = loadFile(*file, block, &size); code != exitSuccess)
            return code;
        warnAboutSize(*file, size);
        content.source = report::ValueSource::ParameterFile;
        content.fileName = *file;
        // A short file leaves the rest of the set at 0: those are no car's values.
        params::AddressSet missing;
        for (int address = params::ParameterBlock::firstAddress; address <= params::ParameterBlock::lastAddress;
             ++address)
            if (static_cast<std::uintmax_t>(address) >= size)
                missing.set(static_cast<std::size_t>(address));
        content.values = report::reportValues(block, missing);
        const int code = writeReport(content, output);
        if (code == exitSuccess)
            recordReport(params::pathFromUtf8(output));
        return code;
    }

    CliSession session(wiring);
    if (!session.init(options))
        return exitUsage;
    if (const int code = session.connect(OnConnect::ReadParameters); code != exitSuccess)
        return code;
    content.source = report::ValueSource::Controller;
    content.identity = session.connection().identity();
    content.values = report::reportValues(session.state().block(), session.state().unreadAddresses());
    const int code = writeReport(content, output);
    if (code == exitSuccess)
        recordReport(params::pathFromUtf8(output));
    if (code == exitSuccess && !content.identity)
        std::cerr << "dravinor-cli: the controller's identity never came back cleanly; the report gives its type "
                     "and version as unknown\n";
    const auto& read = session.lastRead();
    if (code != exitSuccess || read.complete())
        return code;
    // The report is written all the same: it marks what it could not read.
    std::cerr << "dravinor-cli: " << incompleteReadText(read) << "; the report marks those values as not read\n";
    return exitNoController;
}

}  // namespace dravinor::cli
