#include "DisplayCheck.h"

#include <QByteArray>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string_view>
#include <vector>

namespace dravinor::app {

namespace {

bool isSet(const char* value)
{
    return value && *value;
}

// The value after -name or --name (Qt takes both), or null.
const char* argumentValue(int argc, char** argv, std::string_view name)
{
    for (int i = 1; i + 1 < argc; ++i) {
        std::string_view argument = argv[i];
        if (argument.starts_with("--"))
            argument.remove_prefix(1);
        if (argument.size() == name.size() + 1 && argument[0] == '-' && argument.substr(1) == name)
            return argv[i + 1];
    }
    return nullptr;
}

// X11 and Wayland are the platforms that open a display; every other one
// (offscreen, minimal, vnc, eglfs, linuxfb, ...) draws without one.
bool opensADisplay(std::string_view platform)
{
    return platform == "xcb" || platform.starts_with("wayland");
}

// "wayland;xcb" lists fallbacks, "vnc:size=800x600" carries options.
bool onlyDisplayPlatforms(std::string_view platforms)
{
    while (!platforms.empty()) {
        const std::size_t end = platforms.find(';');
        std::string_view entry = platforms.substr(0, end);
        entry = entry.substr(0, entry.find(':'));
        if (!entry.empty() && !opensADisplay(entry))
            return false;
        if (end == std::string_view::npos)
            break;
        platforms.remove_prefix(end + 1);
    }
    return true;
}

struct HeldMessage {
    QtMsgType type;
    QByteArray file, function, category;
    int line;
    QString text;
};

std::mutex heldMutex;
std::vector<HeldMessage> held;
std::string failureLine;

void holdOrEnd(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtFatalMsg) {
        // Qt would abort right after this handler returns.
        std::fprintf(stderr, "%s\n", failureLine.c_str());
        std::fflush(stderr);
        std::_Exit(1);
    }
    const std::lock_guard lock(heldMutex);
    held.push_back({type, context.file, context.function, context.category, context.line, text});
}

}  // namespace

DisplayOutlook lookForDisplay(int argc, char** argv, const EnvironmentLookup& environment)
{
    const char* platforms = argumentValue(argc, argv, "platform");
    if (!platforms)
        platforms = environment("QT_QPA_PLATFORM");
    // Nothing chosen means Qt's default here, which is X11 (or Wayland).
    if (isSet(platforms) && !onlyDisplayPlatforms(platforms))
        return DisplayOutlook::NotNeeded;
    return namedDisplay(argc, argv, environment).empty() ? DisplayOutlook::Missing : DisplayOutlook::Named;
}

std::string namedDisplay(int argc, char** argv, const EnvironmentLookup& environment)
{
    for (const char* display :
         {argumentValue(argc, argv, "display"), environment("DISPLAY"), environment("WAYLAND_DISPLAY")})
        if (isSet(display))
            return display;
    return {};
}

std::string noDisplayLine(const std::string& triedDisplay)
{
    const std::string why = triedDisplay.empty() ? "neither DISPLAY nor WAYLAND_DISPLAY is set"
                                                 : "cannot open display '" + triedDisplay + "'";
    return "dravinor: no display found (" + why + "); dravinor-cli works without one";
}

void DisplayOpenGuard::arm(const std::string& triedDisplay)
{
    if (armed_)
        return;
    armed_ = true;
    failureLine = noDisplayLine(triedDisplay);
    previous_ = qInstallMessageHandler(holdOrEnd);
}

DisplayOpenGuard::~DisplayOpenGuard()
{
    release();
}

void DisplayOpenGuard::release()
{
    if (!armed_)
        return;
    armed_ = false;
    qInstallMessageHandler(previous_);
    std::vector<HeldMessage> messages;
    {
        const std::lock_guard lock(heldMutex);
        messages.swap(held);
    }
    for (const HeldMessage& message : messages) {
        const QMessageLogContext context(message.file.isNull() ? nullptr : message.file.constData(), message.line,
                                         message.function.isNull() ? nullptr : message.function.constData(),
                                         message.category.isNull() ? nullptr : message.category.constData());
        qt_message_output(message.type, context, message.text);
    }
}

}  // namespace dravinor::app
