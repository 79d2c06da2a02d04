// Error records (truncation, detail, copies) and the "Error!" box text of pointer-thrown errors.
#include "platform/Errors.h"
#include "platform/MessageBox.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

TEST(ExceptionType, FieldsAreBoundedAndRaiseThrowsACopyWithTheDetail) {
    std::string longMessage(1500, 'm');
    ExceptionType record(longMessage.c_str());
    // A message of 1024 or more characters ends at the field boundary, without a terminator.
    EXPECT_EQ(record.describe(), std::string(1024, 'm'));
    ExceptionType file("Error - couldn't open file %s! Aborting...");
    file.setDetail(std::string(3000, 'd').c_str());
    EXPECT_EQ(std::strlen(file.detail), 1023u);

    try {
        Errors::raise(Errors::couldntOpenFile, "data/1.jpg");
        FAIL() << "raise returned";
    } catch (const ShowFailure& thrown) {
        // The show's one failure handler gets the message with the file in place.
        EXPECT_EQ(thrown.cause(), "Error - couldn't open file data/1.jpg! Aborting...");
    }
    EXPECT_EQ(Errors::couldntOpenFile.detail[0], 0); // the record itself is untouched
    try {
        Errors::raise(Errors::tooManyFiles);
    } catch (const ExceptionType& thrown) {
        EXPECT_EQ(thrown.describe(), "Error - too many files in FileServer! Aborting...");
    }
}

TEST(ExceptionSpaceException, PositionTextNamesFileAndLineOnlyWhenBothAreKnown) {
    const std::string unknown = "The error occured in an unknown position in the code.\n"
                                "(This means it was probably thrown by the system itself.)";
    EXPECT_EQ(ExceptionSpace::Exception("boom", nullptr, -1).boxText(), "Error - boom\n\n" + unknown);
    EXPECT_EQ(ExceptionSpace::Exception("boom", "", 12).boxText(), "Error - boom\n\n" + unknown);
    EXPECT_EQ(ExceptionSpace::Exception("boom", "Timer", -1).boxText(), "Error - boom\n\n" + unknown);

    ExceptionSpace::Exception timer(ExceptionSpace::timerNotStartedMessage, "Timer", 102);
    EXPECT_EQ(timer.boxText(), "Error - An attempt was made to use the timer before it was started!\n\n"
                               "The error occured in the file 'Timer' at line 102.");
    EXPECT_TRUE(ExceptionSpace::Exception("x", nullptr, 0).file.empty());
}

TEST(ExceptionSpaceException, LongTextsAreCutToTheirBuffers) {
    std::string huge(5000, 'x');
    EXPECT_EQ(ExceptionSpace::Exception(huge, "f", 1).boxText().size(), 1023u);
    std::string text = ExceptionSpace::Exception("m", huge.c_str(), 1).boxText();
    EXPECT_EQ(text.size(), 1023u);
    EXPECT_EQ(text.rfind("Error - m\n\nThe error occured in the file 'xxx", 0), 0u);
}

TEST(ExceptionSpaceException, ReportShowsTheErrorBox) {
    Sys_SetMessageBoxesEnabled(false);
    testing::internal::CaptureStderr();
    ExceptionSpace::Exception(ExceptionSpace::invalidPlatformMessage, "GraphicsFactory", 73).report();
    std::string shown = testing::internal::GetCapturedStderr();
    EXPECT_EQ(shown, "Error!: Error - Invalid platform!\n\nThe error occured in the file 'GraphicsFactory' at line 73.\n");
}
