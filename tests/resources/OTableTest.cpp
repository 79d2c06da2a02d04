// Projection tables: the turn tables' end points, the width shift pairs and the clamped parameters.
#include "resources/OTable.h"

#include <gtest/gtest.h>

TEST(OTable, TablesCoverOneFullTurnEndToEnd) {
    OTable tables(65535, 1024, 768, 32, 45.0f);
    const OTable::State& s = OTable::state();
    EXPECT_EQ(s.tableSize, 65535);
    EXPECT_EQ(s.cosTable[0], 1.0f);
    EXPECT_EQ(s.cosTable[65534], 1.0f);
    EXPECT_EQ(s.sinTable[0], 0.0f);
    EXPECT_NEAR(s.sinTable[16383], 1.0f, 1e-6f); // a quarter turn minus half a step
    EXPECT_NEAR(s.cosTable[32767], -1.0f, 1e-6f);
    EXPECT_NEAR(s.sinTable[65534], 0.0f, 1e-6f);
    EXPECT_EQ(s.fieldOfView, 45.0f);
    EXPECT_EQ(s.unitParameterA, 0.99f); // the constructor's 1.0 and 1.0 are clamped
    EXPECT_EQ(s.unitParameterB, 0.99f);
}

TEST(OTable, ResolutionGivesPixelSizeCentreAndWidthShiftPairs) {
    OTable tables(16, 1024, 768, 32, 60.0f);
    OTable::State& s = OTable::state();
    EXPECT_EQ(s.bytesPerPixel, 4);
    EXPECT_EQ(s.widthShifts[0], 9);
    EXPECT_EQ(s.widthShifts[1], 9);
    tables.setResolution(800, 600, 15); // width not in the table: the previous pair stays
    EXPECT_EQ(s.bytesPerPixel, 2);
    EXPECT_EQ(s.widthShifts[0], 9);
    EXPECT_EQ(s.widthShifts[1], 9);
    tables.setResolution(641, 479, 24);
    EXPECT_EQ(s.bytesPerPixel, 3);
    EXPECT_EQ(s.centreX, 320);
    EXPECT_EQ(s.centreY, 239);
    for (int16_t width : {320, 512, 640, 1024, 1152, 1280}) {
        tables.setResolution(width, 200, 32);
        for (int32_t y : {1, 7, 199})
            EXPECT_EQ((y << s.widthShifts[0]) + (y << s.widthShifts[1]), y * width) << width;
    }
}

TEST(OTable, UnitParametersStayInsideZeroToOne) {
    OTable tables(16, 320, 240, 32, 45.0f);
    const OTable::State& s = OTable::state();
    tables.setUnitParameters(0.0f, -3.0f);
    EXPECT_EQ(s.unitParameterA, 0.00001f);
    EXPECT_EQ(s.unitParameterB, 0.00001f);
    tables.setUnitParameters(0.5f, 0.99999f);
    EXPECT_EQ(s.unitParameterA, 0.5f);
    EXPECT_EQ(s.unitParameterB, 0.99999f);
}
