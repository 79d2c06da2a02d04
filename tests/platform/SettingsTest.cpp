// The settings registry: last write wins, and the integer and float tables are separate.
#include "platform/Settings.h"

#include <gtest/gtest.h>

TEST(Settings, LastWriteWinsAndTablesAreIndependent) {
    Settings settings;
    settings.set(Settings::Width, 1024);
    settings.set(Settings::Width, 640);
    EXPECT_EQ(settings.get(Settings::Width), 640);

    settings.set(1, 0.5f);
    EXPECT_EQ(settings.get(1), 640);
    EXPECT_EQ(settings.getFloat(1), 0.5f);
    settings.set(2, 3.25f);
    EXPECT_EQ(settings.get(2), 0); // never set in the integer table
    EXPECT_EQ(settings.getFloat(3), 0.0f);

    settings.set(-7, -1);
    EXPECT_EQ(settings.get(-7), -1);
}
