#include "DescriptorWait.h"

#include <poll.h>

namespace dravinor::cli {

bool waitReadable(int descriptor, int timeoutMs)
{
    pollfd waiter{descriptor, POLLIN, 0};
    return ::poll(&waiter, 1, timeoutMs) > 0;
}

}  // namespace dravinor::cli
