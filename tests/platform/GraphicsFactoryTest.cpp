// Choice of the graphics factory from the settings, and the handles built through it.
#include "platform/GraphicsFactory.h"
#include "platform/DisplayDevice.h"
#include "platform/Errors.h"
#include "platform/FrameBuffer.h"
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
        Settings& settings = Settings::instance();
        settings.set(Settings::Width, 640);
        settings.set(Settings::Height, 480);
        settings.set(Settings::BitsPerPixel, 32);
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

TEST_F(GraphicsFactoryTest, OnlyPlatformOneWithInterfaceOneExists) {
    setPlatform(2, 1);
    expectInvalidPlatform();
    setPlatform(1, 0);
    expectInvalidPlatform();
    // The failure made no factory: fixing the settings lets the next call succeed.
    setPlatform(1, 1);
    EXPECT_NO_THROW(GraphicsFactory::instance());
}

TEST_F(GraphicsFactoryTest, TheSettingsAreReadOnlyOnTheFirstUse) {
    setPlatform(1, 1);
    GraphicsFactory& first = GraphicsFactory::instance();
    setPlatform(3, 3);
    EXPECT_EQ(&GraphicsFactory::instance(), &first);
    // Destroying the factory makes the next use read the settings again.
    GraphicsFactory::destroyInstance();
    expectInvalidPlatform();
}

TEST_F(GraphicsFactoryTest, HandlesTakeAndGiveBackTheirImplementations) {
    setPlatform(1, 1);
    {
        FrameBuffer frame;
        DisplayDevice device("");
        ASSERT_NE(frame.getSurface(), nullptr);
        ASSERT_NE(device.getDevice(), nullptr);
        EXPECT_FALSE(device.isCloseRequested());
        device.setFrameBuffer(&frame);
    }
    // A null implementation is ignored when given back.
    GraphicsFactory::instance().destroyDevice(nullptr);
    GraphicsFactory::instance().destroySurface(nullptr);
}

} // namespace
