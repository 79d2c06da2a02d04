// Delivery failures carry FFmpeg's text for the error code.
#include "media/film/DeliveryFailure.h"

#include "media/FfmpegObjects.h"
#include "platform/ShowFailure.h"

void failDelivery(const std::string& operation, const std::string& fileName, int errorCode) {
    throw ShowFailure(1, operation + " " + fileName + ": " + Ffmpeg::errorText(errorCode));
}
