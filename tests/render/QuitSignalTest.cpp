// A render stuck where nothing looks at the quit request (a slow encode, a box on screen): a
// second quit signal still ends the process with its file finished.
#include "media/masters/RenderWriter.h"
#include "platform/QuitSignals.h"
#include "render/AviLayout.h"
#include "render/RenderTestSupport.h"
#include "render/ShowProcess.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

TEST(QuitSignals, ASecondSignalFinishesTheFilesOfAStuckRender) {
    ScratchFolder scratch;
    const std::string path = scratch.file("stuck.avi");
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    pid_t child = fork();
    if (child == 0) {
        alarm(60); // a child the test lost track of ends by itself
        Sys_CatchQuitSignals();
        RenderWriter writer(RenderFileFormat{path, 64, 48, 25, "lossless", false}, testOutput());
        writer.attach(nullptr, 0);
        for (int n = 0; n < 5; ++n)
            writer.writeFrame(n * 20);
        if (write(ready[1], "!", 1) != 1) _exit(21);
        for (;;)
            pause();
    }
    close(ready[1]);
    char seen = 0;
    ASSERT_EQ(read(ready[0], &seen, 1), 1);
    close(ready[0]);
    kill(child, SIGINT);
    while (isSignalPending(child, SIGINT))
        usleep(1000);
    kill(child, SIGINT);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 128 + SIGINT);
    AviLayout layout = readAviLayout(path);
    EXPECT_EQ(layout.riffSize + 8u, layout.fileSize);
    EXPECT_EQ(layout.indexedVideoChunks, 5u);
}
