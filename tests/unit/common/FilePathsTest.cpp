#include <gtest/gtest.h>

#include "FilePaths.h"

using pausarium::directoryOf;

TEST(DirectoryOf, DropsTheSeparatorOfAnOrdinaryDirectory) {
    EXPECT_EQ(directoryOf("C:\\Tools\\Pausarium.exe"), "C:\\Tools");
    EXPECT_EQ(directoryOf("C:\\Program Files\\Pausarium\\PausariumSetup.exe"), "C:\\Program Files\\Pausarium");
}

TEST(DirectoryOf, KeepsTheSeparatorWhereItBelongsToTheDirectory) {
    EXPECT_EQ(directoryOf("C:\\Pausarium.exe"), "C:\\");
    EXPECT_EQ(directoryOf("\\\\server\\\\Pausarium.exe"), "\\\\server\\\\");
    EXPECT_EQ(directoryOf("\\Pausarium.exe"), "\\");
}

TEST(DirectoryOf, HandlesDriveRelativeAndBareNames) {
    EXPECT_EQ(directoryOf("C:Pausarium.exe"), "C:");
    EXPECT_EQ(directoryOf("Pausarium.exe"), "");
}
