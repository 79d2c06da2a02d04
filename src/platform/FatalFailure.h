// A failure that ends the process: the shell closes the display, shows boxText under caption
// (the terminal also gets the detail, usually the file), and exits with exitCode; exit handlers
// still run. The services that cannot start, the debug service and the video file layer raise
// these; library code never calls exit itself.
#pragma once

#include "platform/ShowFailure.h"

#include <string>

class FatalFailure : public ShowFailure {
  public:
    FatalFailure(const std::string& boxText, const std::string& caption, int exitCode,
                 const std::string& detail = "")
        : ShowFailure(exitCode, detail.empty() ? boxText : boxText + " (" + detail + ")"), text(boxText),
          boxCaption(caption), detailText(detail) {}

    const std::string& boxText() const { return text; }
    const std::string& caption() const { return boxCaption; }
    // What the box leaves out: the file or entry.
    const std::string& detail() const { return detailText; }
    int exitCode() const { return code(); }

  private:
    std::string text;
    std::string boxCaption;
    std::string detailText;
};
