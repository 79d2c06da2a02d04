// Error records (bounded fields, the detail in a thrown copy) and the positioned exception: its
// "Error!" box text, and that it reaches the show's one failure handler by value.
#include "platform/Errors.h"

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
        Errors::raise(Errors::fileNotFound, "data/1.jpg");
        FAIL() << "raise returned";
    } catch (const ShowFailure& thrown) {
        // The show's one failure handler gets the message with the file in place.
        EXPECT_EQ(thrown.cause(), "Error - file data/1.jpg not found! Aborting...");
    }
    EXPECT_EQ(Errors::fileNotFound.detail[0], 0); // the record itself is untouched
}

TEST(ExceptionSpaceException, BoxTextNamesFileAndLineOnlyWhenBothAreKnownAndIsCut) {
    const std::string unknown = "The error occured in an unknown position in the code.\n"
                                "(This means it was probably thrown by the system itself.)";
    EXPECT_EQ(ExceptionSpace::Exception("boom", "", 12).boxText(), "Error - boom\n\n" + unknown);
    EXPECT_EQ(ExceptionSpace::Exception("boom", "Timer", -1).boxText(), "Error - boom\n\n" + unknown);
    EXPECT_EQ(ExceptionSpace::Exception("boom", "Timer", 102).boxText(),
              "Error - boom\n\nThe error occured in the file 'Timer' at line 102.");
    std::string huge(5000, 'x');
    EXPECT_EQ(ExceptionSpace::Exception(huge, "f", 1).boxText().size(), 1023u);
    std::string text = ExceptionSpace::Exception("m", huge.c_str(), 1).boxText();
    EXPECT_EQ(text.size(), 1023u);
    EXPECT_EQ(text.rfind("Error - m\n\nThe error occured in the file 'xxx", 0), 0u);

    try {
        throw ExceptionSpace::Exception("boom", "Timer", 7);
    } catch (const ShowFailure& thrown) { // by value: nothing is left for anyone to free
        EXPECT_EQ(thrown.cause(), "boom");
    }
}
