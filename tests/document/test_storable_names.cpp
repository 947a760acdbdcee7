#include <gtest/gtest.h>

#include <string>

#include "document/CStorableNames.h"

// What a name brought in from another file becomes, and that the result is
// always a name the signal panel would accept.
TEST(StorableNames, CleaningGivesNamesTheRuleAccepts) {
    const std::string cut = std::string(254, 'x') + "\xC3\xA9";  // "é" would end at byte 256
    const struct {
        std::string Name;
        std::string Expected;
    } cases[] = {
        {"clock in", "clock in"},
        {"a,b\r\nc", "a_b__c"},
        {"Data", "Data_"},
        {"BookmarkMemo", "BookmarkMemo_"},
        {"data", "data"},
        {std::string(300, 'y'), std::string(255, 'y')},
        {cut, std::string(254, 'x')},
    };
    for (const auto& c : cases) {
        const std::string storable = CStorableNames::Storable(c.Name);
        EXPECT_EQ(storable, c.Expected) << c.Name;
        EXPECT_TRUE(CStorableNames::IsStorable(storable)) << c.Name;
        EXPECT_EQ(CStorableNames::IsStorable(c.Name), storable == c.Name) << c.Name;
    }
    // An empty name may be stored, but a name brought in always shows.
    EXPECT_EQ(CStorableNames::Storable(""), "_");
    EXPECT_EQ(CStorableNames::StorableMemo(""), "");
    EXPECT_EQ(CStorableNames::StorableMemo("a,b"), "a_b");
    EXPECT_EQ(CStorableNames::StorableMemo(std::string(256, 'm')).size(), 255U);
}
