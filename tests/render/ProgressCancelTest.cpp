// Cancelling a render from its progress window under SDL's dummy driver: Escape, the Cancel
// button and the window's close button always ask "Really?" first, even while the hidden piece
// display's presents empty the same event queue; "No" leaves the render running.
#include "media/progress/ProgressWindow.h"
#include "media/progress/RenderProgress.h"
#include "platform/DisplayDevice.h"
#include "platform/FrameBuffer.h"
#include "platform/MessageBox.h"
#include "platform/QuitRequest.h"
#include "platform/DisplayPair.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <memory>

namespace {

MessageAnswer nextAnswer = MessageAnswer::No;
int questionsAsked = 0;

// The shell's question, answered here instead of by a person.
bool confirmCancel() {
    ++questionsAsked;
    return nextAnswer == MessageAnswer::Yes;
}

enum class Gesture { Escape, CancelButton, CloseButton };

SDL_Event eventFor(Gesture gesture, Uint32 windowId) {
    SDL_Event event{};
    if (gesture == Gesture::Escape) {
        event.type = SDL_KEYDOWN;
        event.key.windowID = windowId;
        event.key.keysym.sym = SDLK_ESCAPE;
    } else if (gesture == Gesture::CancelButton) {
        event.type = SDL_MOUSEBUTTONUP;
        event.button.windowID = windowId;
        event.button.button = SDL_BUTTON_LEFT;
        event.button.x = ProgressWindow::buttonX + 5;
        event.button.y = ProgressWindow::buttonY + 5;
    } else {
        event.type = SDL_WINDOWEVENT;
        event.window.windowID = windowId;
        event.window.event = SDL_WINDOWEVENT_CLOSE;
    }
    return event;
}

} // namespace

TEST(ProgressCancel, EveryGestureAsksFirstAndOnlyYesEndsTheRender) {
    if (!Sys_DisplayAvailable()) GTEST_SKIP() << "no SDL video driver";
    // The piece's display as video mode has it: open, hidden, its quit going to the request.
    DisplayOptions::setHidden(true);
    DisplayInput::setQuitHandler(Sys_RequestQuit);
    DisplayPair display = DisplayPair::create(640, 480);
    DisplayDevice& device = *display.device;
    ASSERT_TRUE(device.open());

    RenderProgress progress(confirmCancel);
    for (MessageAnswer answer : {MessageAnswer::No, MessageAnswer::Yes})
        for (Gesture gesture : {Gesture::Escape, Gesture::CancelButton, Gesture::CloseButton}) {
            SCOPED_TRACE("gesture " + std::to_string(int(gesture)));
            Sys_ClearQuitRequest();
            questionsAsked = 0;
            nextAnswer = answer;
            std::unique_ptr<ProgressWindow> window = ProgressWindow::open(false);
            ASSERT_TRUE(window) << SDL_GetError();
            SDL_Event event = eventFor(gesture, window->getWindowId());
            progress.useWindow(std::move(window));
            SDL_PushEvent(&event);
            device.present(); // the piece's frame: drains the queue before the progress sees it
            EXPECT_FALSE(Sys_IsQuitRequested()) << "quit without asking";
            progress.report("piece_1.avi", 10, 1);
            EXPECT_EQ(questionsAsked, 1);
            EXPECT_EQ(Sys_IsQuitRequested(), answer == MessageAnswer::Yes);
            EXPECT_EQ(progress.isClosed(), answer == MessageAnswer::Yes);
            // Later frames ask nothing more.
            progress.report("piece_1.avi", 11, 2);
            EXPECT_EQ(questionsAsked, 1);
        }
    progress.finishLine();
    progress.useWindow(nullptr);
    Sys_ClearQuitRequest();
    DisplayInput::setQuitHandler(nullptr);
    device.close();
    DisplayOptions::setHidden(false);
}
