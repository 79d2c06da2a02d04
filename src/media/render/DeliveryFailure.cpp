// Delivery failures carry FFmpeg's text for the error code.
#include "media/render/DeliveryFailure.h"

#include "platform/ShowFailure.h"

extern "C" {
#include <libavutil/error.h>
}

void failDelivery(const std::string& operation, const std::string& fileName, int errorCode) {
    char reason[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(errorCode, reason, sizeof reason);
    throw ShowFailure(1, operation + " " + fileName + ": " + reason);
}
