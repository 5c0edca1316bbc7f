#include "live/LiveRecorder.h"

#include "params/PathText.h"
#include "params/RegularFile.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

namespace dravinor::live {

LiveRecorder::~LiveRecorder()
{
    std::string ignored;
    stop(ignored);
}

bool LiveRecorder::fail(std::string& error)
{
    error = std::strerror(errno ? errno : EIO);
    std::fclose(file_);
    file_ = nullptr;
    return false;
}

bool LiveRecorder::start(const std::string& path, std::string& error)
{
    std::string ignored;
    stop(ignored);
    // A FIFO or a device is refused, never opened: only a regular file (new,
    // or emptied once it is known to be one) records.
    params::OpenedFile opened = params::openRegularFile(params::pathFromUtf8(path), O_WRONLY | O_CREAT, 0666);
    target_ = opened.target;
    if (!opened.ok()) {
        error = opened.systemText;
        return false;
    }
    if (::ftruncate(opened.fd.get(), 0) != 0) {
        error = std::strerror(errno);
        return false;
    }
    errno = 0;
    file_ = ::fdopen(opened.fd.get(), "w");
    if (!file_) {
        error = std::strerror(errno ? errno : EIO);
        return false;
    }
    opened.fd.release();
    path_ = path;
    rows_ = 0;
    errno = 0;
    if (std::fprintf(file_, "%s\n", params::liveCsvHeader().c_str()) < 0 || std::fflush(file_) != 0)
        return fail(error);
    return true;
}

bool LiveRecorder::append(bool answered, const params::LiveFrame& frame, const params::LiveSettings& settings,
                          std::string& error)
{
    if (!file_) {
        error = "not recording";
        return false;
    }
    params::LiveSample sample;
    sample.timeMs = sinceFirstPollMs(rows_ == 0);
    sample.wallClockMs =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::system_clock::now().time_since_epoch())
            .count();
    sample.answered = answered;
    sample.frame = frame;
    sample.settings = settings;
    errno = 0;
    if (std::fprintf(file_, "%s\n", params::liveCsvRow(sample).c_str()) < 0 || std::fflush(file_) != 0)
        return fail(error);
    ++rows_;
    return true;
}

std::int64_t LiveRecorder::sinceFirstPollMs(bool first)
{
    if (clock_) {
        const std::uint32_t now = clock_->tickMs();
        if (first)
            firstTickMs_ = now;
        return static_cast<std::uint32_t>(now - firstTickMs_);  // the tick wraps: the difference does not
    }
    const auto now = std::chrono::steady_clock::now();
    if (first)
        firstPoll_ = now;
    return std::chrono::duration_cast<std::chrono::milliseconds>(now - firstPoll_).count();
}

bool LiveRecorder::stop(std::string& error)
{
    if (!file_)
        return true;
    errno = 0;
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    if (!closed)
        error = std::strerror(errno ? errno : EIO);
    return closed;
}

}  // namespace dravinor::live
