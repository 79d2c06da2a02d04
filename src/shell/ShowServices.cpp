// Start-up of the show's services and the boxes the render files and progress ask for.
#include "shell/ShowServices.h"

#include "platform/MessageBox.h"
#include "resources/OTable.h"
#include "resources/Servers.h"

namespace {

bool confirmCancel() {
    return Sys_MessageBox("Really?", "", MessageIcon::Question, MessageButtons::YesNo, MessageAnswer::No) ==
           MessageAnswer::Yes;
}

RenderReport reportInto(RenderProgress& progress) {
    RenderReport report;
    report.frameWritten = [&progress](const std::string& fileName, int32_t percent, int32_t frames) {
        progress.report(fileName, percent, frames);
    };
    report.fileFinished = [&progress](const std::string& fileName, int64_t frames, int32_t framesPerSecond) {
        progress.fileFinished(fileName, frames, framesPerSecond);
        progress.finishLine();
    };
    report.warn = [](const std::string& text) { Sys_MessageBox(text, "Warning", MessageIcon::Exclamation); };
    return report;
}

} // namespace

ShowServices::ShowServices()
    : servers(new Servers(11, 0, 200)), projectionTables(new OTable(65535, 1024, 768, 32, 45.0f)),
      progress(confirmCancel), pieces(*getFileServer(), reportInto(progress)) {}
