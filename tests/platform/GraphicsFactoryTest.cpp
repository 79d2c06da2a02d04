// Choice of the graphics factory from the settings.
#include "platform/GraphicsFactory.h"
#include "platform/Errors.h"
#include "platform/Settings.h"

#include <gtest/gtest.h>

namespace {

void setPlatform(int32_t platform, int32_t interface) {
    Settings::instance().set(Settings::Platform, platform);
    Settings::instance().set(Settings::Interface, interface);
}

class GraphicsFactoryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        GraphicsFactory::destroyInstance();
    }
    void TearDown() override {
        setPlatform(1, 1);
        GraphicsFactory::destroyInstance();
    }

    static void expectInvalidPlatform() {
        try {
            GraphicsFactory::instance();
            ADD_FAILURE() << "a factory was made";
        } catch (ExceptionSpace::Exception* error) {
            EXPECT_EQ(error->message, "Invalid platform!");
            EXPECT_EQ(error->file, "GraphicsFactory");
            EXPECT_EQ(error->line, 73);
            delete error;
        }
    }
};

TEST_F(GraphicsFactoryTest, OnlyPlatformOneWithInterfaceOneExistsAndIsChosenOnce) {
    setPlatform(2, 1);
    expectInvalidPlatform();
    setPlatform(1, 0);
    expectInvalidPlatform();
    // The failure made no factory: fixing the settings lets the next call succeed.
    setPlatform(1, 1);
    GraphicsFactory& first = GraphicsFactory::instance();
    setPlatform(3, 3); // read only on the first use
    EXPECT_EQ(&GraphicsFactory::instance(), &first);
    GraphicsFactory::destroyInstance();
    expectInvalidPlatform();
}

} // namespace
