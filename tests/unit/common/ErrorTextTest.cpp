#include <gtest/gtest.h>

#include "Error.h"

using pausarium::standardErrorBoxText;

TEST(StandardErrorBoxText, AppendsFullStopOnlyAfterCharactersAboveIt) {
    EXPECT_EQ(standardErrorBoxText("Invalid data type for 'RegimeType'"), "Invalid data type for 'RegimeType'");
    EXPECT_EQ(standardErrorBoxText("Not enough timers available"), "Not enough timers available.");
    EXPECT_EQ(standardErrorBoxText("Done."), "Done.");
    EXPECT_EQ(standardErrorBoxText("Wait-"), "Wait-");          // '-' lies below '.'
    EXPECT_EQ(standardErrorBoxText("Path/"), "Path/.");         // '/' lies above '.'
    EXPECT_EQ(standardErrorBoxText("\xCE\xF8\xE8\xE1\xEA\xE0"), "\xCE\xF8\xE8\xE1\xEA\xE0.");  // Cyrillic
    EXPECT_EQ(standardErrorBoxText(""), "");
}
