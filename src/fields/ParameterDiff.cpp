#include "fields/ParameterDiff.h"

namespace dravinor::fields {

std::vector<ParameterDifference> compareParameterSets(const params::ParameterBlock& first,
                                                      const params::ParameterBlock& second)
{
    const auto left = pageValues(first);
    const auto right = pageValues(second);
    std::vector<ParameterDifference> differences;
    // Both lists come from the same catalogue: row i is the same value.
    for (std::size_t i = 0; i < left.size() && i < right.size(); ++i) {
        // A stored difference that shows the same (two periods of one RPM
        // step) still changes the controller; a shown difference over equal
        // bytes (another ignition type) changes what the pages say.
        if (left[i].shown != right[i].shown || left[i].stored != right[i].stored)
            differences.push_back({left[i], right[i]});
    }
    return differences;
}

}  // namespace dravinor::fields
