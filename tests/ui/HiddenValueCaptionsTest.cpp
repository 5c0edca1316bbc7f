// The stored values no field shows are named by dravinor-cli with the same
// Polish words the window's comparison uses, so the two read alike.
#include "fields/PageValues.h"
#include "lang/TextSlots.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace dravinor;

TEST(HiddenValueCaptions, TheCommandLineNamesThemAsTheWindowsBuiltInTextsDo)
{
    constexpr int firstHiddenKey = 50320;
    const auto definitions = lang::slotDefinitions();
    int hidden = 0;
    for (const auto& value : fields::pageValues(params::ParameterBlock{})) {
        if (!value.hidden)
            continue;
        ++hidden;
        const int key = firstHiddenKey + value.hidden - 1;
        const auto slot =
            std::find_if(definitions.begin(), definitions.end(), [key](const auto& s) { return s.key == key; });
        ASSERT_NE(slot, definitions.end()) << key;
        EXPECT_EQ(value.caption, slot->builtIn) << key;
    }
    EXPECT_EQ(hidden, fields::hiddenValueCount);
}
