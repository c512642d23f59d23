#include <gtest/gtest.h>

#include "Cp1251.h"

using pausarium::cp1251;

TEST(Cp1251, ConvertsCyrillicAndKeepsAscii) {
    constexpr auto text = cp1251(u8"Система ok...");
    EXPECT_EQ(text.view(), "\xD1\xE8\xF1\xF2\xE5\xEC\xE0 ok...");
    EXPECT_EQ(text.length, 13u);
    EXPECT_EQ(text.c_str()[text.length], '\0');
}

TEST(Cp1251, CoversTheWholeAlphabetIncludingYo) {
    constexpr auto upper = cp1251(u8"АЯЁ");
    constexpr auto lower = cp1251(u8"аяё");
    EXPECT_EQ(upper.view(), "\xC0\xDF\xA8");
    EXPECT_EQ(lower.view(), "\xE0\xFF\xB8");
}
