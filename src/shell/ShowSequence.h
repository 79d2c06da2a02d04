// The show sequence in its fixed order: the services and the menu's display, the clips out of
// the archive, the pieces loaded, the menu, the intro, each chosen piece, the credits; and how
// the run ended. A failure is thrown out of run; endAfterFailure then finishes what it can.
#pragma once

#include "shell/Displays.h"
#include "shell/Menu.h"
#include "shell/PieceRunner.h"
#include "shell/ShowOptions.h"
#include "shell/ShowOutcome.h"
#include "pieces/common/ShowParts.h"

#include <memory>

struct PieceContext;
struct ShowServices;

class ShowSequence {
public:
    explicit ShowSequence(const ShowOptions& options);
    ~ShowSequence();

    ShowOutcome run();

    // Closes the current display (before a failure's box).
    void closeDisplay() { displays.closeCurrent(); }
    // After a failure: the pieces' files are finished and the render summary says the render
    // was stopped by an error. No credits.
    void endAfterFailure();

private:
    void startUp();
    void preloadPieces();
    // The clock started again; the three seconds of black too when black is set (live only).
    void playIntro(bool black);
    void runPieces();
    // Video: the chosen pieces, or the parts of the range, to files.
    void renderPieces();
    // Live: the chosen pieces or the range, with the viewer's pause and seek, and again with loop.
    void playPieces();
    // The render's last step once the masters are finished: the film, when delivered.
    void finishRender();
    ShowOutcome outcome() const;
    PieceContext pieceContext(DisplayDevice* device, FrameBuffer* frameBuffer) const;

    ShowOptions options;
    ShowServices* services = nullptr; // kept until the process ends
    Displays displays;
    Menu menu;
    PieceRunner pieces;
    bool renderComplete = false; // every planned file was written to its end
    std::array<int64_t, showPartCount> partsWritten{}; // frames each part's file was planned to get
};
