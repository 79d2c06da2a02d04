// The upload-ready film of a render: the finished AVI masters, in show order, back to back in one
// MP4 file (H.264 at 1920x1080 or 3840x2160, 48 kHz AAC stereo, one chapter per part), with a
// thumbnail and a contact sheet beside it.
#pragma once

#include "media/film/FilmWriter.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct DeliveryPart {
    std::string fileName; // a master written by the render mode
    std::string title;    // its chapter's title
};

struct DeliveryJob {
    std::vector<DeliveryPart> parts; // in show order; files that do not exist are left out
    int32_t framesPerSecond = 25;
    std::string outputName = "triptych.mp4";
    int32_t filmHeight = 1080; // 1080 or 2160; the film is 16:9
    // The pictures written after the film (see FilmStills); none when empty.
    std::string thumbnailName, sheetName;
    // Told after every picture how many of the announced total are done; may be empty.
    std::function<void(int64_t framesDone, int64_t framesTotal)> progress;
    // Asked after every picture; true stops the delivery. May be empty.
    std::function<bool()> isCancelled;
};

enum class DeliveryOutcome { Written, Cancelled, NothingToDeliver };

struct DeliveryResult {
    DeliveryOutcome outcome = DeliveryOutcome::NothingToDeliver;
    std::vector<FilmChapter> chapters; // the written film's, in order
    int64_t thumbnailFrame = -1;       // the film frame the thumbnail shows
};

namespace ShowDelivery {

// Whether the FFmpeg in use can write the film (its libx264 and AAC encoders); otherwise
// problem, when given, says what is missing.
bool isAvailable(std::string* problem);

// Writes the film under a temporary name next to outputName and renames it into place at the
// end, so that a cancel or a failure leaves no partial film; then the pictures. Failures throw
// ShowFailure naming the operation and the file.
DeliveryResult deliver(const DeliveryJob& job);

} // namespace ShowDelivery
