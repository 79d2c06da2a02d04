// A failure that ends the show through its catch-all handler: the show's integer error code
// (for the pieces' music: 1 not created, 3 not played, 2 not stopped; 0 an exhausted cut list)
// and the cause, naming the operation and the entry or file, which is written under "Error.".
// The error records of the resources (ExceptionType), the positioned exceptions
// (ExceptionSpace::Exception) and the fatal failures are ShowFailures too, so one handler
// reaches every failure. A failure may carry a box of its own that the shell shows before its
// "Error." box (the clip extraction's "Couldn't create temporary files!").
#pragma once

#include <exception>
#include <string>

class ShowFailure : public std::exception {
public:
    ShowFailure(int code, std::string cause) : errorCode(code), causeText(std::move(cause)) {}
    int code() const { return errorCode; }
    const std::string& cause() const { return causeText; }
    const char* what() const noexcept override { return causeText.c_str(); }

    // The box shown first, with its caption; empty for none.
    ShowFailure& withNotice(std::string text, std::string caption) {
        notice = std::move(text);
        noticeCaptionText = std::move(caption);
        return *this;
    }
    const std::string& noticeText() const { return notice; }
    const std::string& noticeCaption() const { return noticeCaptionText; }

protected:
    void setCause(std::string cause) { causeText = std::move(cause); }

private:
    int errorCode;
    std::string causeText;
    std::string notice;
    std::string noticeCaptionText;
};
