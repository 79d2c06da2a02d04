// The context the shell hands the pieces: its quit request is the one Escape, the close button,
// signals and the render's Cancel set.
#include "pieces/common/PieceContext.h"
#include "platform/QuitRequest.h"
#include "shell/ShowSequence.h"
#include "shell/ShowState.h"

#include <gtest/gtest.h>

namespace {

TEST(PieceContext, PiecesSeeTheShellsQuitRequest) {
    Show::quitRequested.store(0);
    Sys_ClearQuitRequest();
    Show::seed = 9;
    const PieceContext context = pieceContext(nullptr, nullptr);
    EXPECT_EQ(context.seed, std::optional<uint32_t>(9));
    EXPECT_FALSE(context.isQuitRequested());
    Show::requestQuit(); // as Escape does
    EXPECT_TRUE(context.isQuitRequested());
    Show::quitRequested.store(0);
    context.requestQuit(); // a piece whose frame cannot be written
    EXPECT_TRUE(Show::isQuitRequested());
    EXPECT_TRUE(Sys_IsQuitRequested());
    Show::quitRequested.store(0);
    Sys_ClearQuitRequest();
    Show::seed.reset();
}

} // namespace
