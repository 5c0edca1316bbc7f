#pragma once

#include "params/ParameterTransfer.h"

namespace dravinor::params {

// The observer to tell: the one given, or, without one, a silent one.
inline TransferObserver& observerOrSilent(TransferObserver* observer)
{
    static TransferObserver silent;
    return observer ? *observer : silent;
}

}  // namespace dravinor::params
