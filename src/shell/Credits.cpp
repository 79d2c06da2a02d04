// The credits box.
#include "shell/Credits.h"

#include "platform/MessageBox.h"
#include "platform/ShowRandom.h"
#include "platform/SystemClock.h"

#include <cstdint>

std::string creditsText() {
    return "Triptych\n"
           "\n"
           "created by the Triptych Ensemble\n"
           "\n\n"
           "piece one\n"
           "visuals: Ada Quillfeather\n"
           "music: Bruno Wexley\n"
           "\n"
           "piece two\n"
           "visuals: Cora Lindqvist-Oduya\n"
           "music: Dario Fenwick\n"
           "\n"
           "piece three\n"
           "visuals: Elin Marchetti\n"
           "music: Faro Nakamura-Holt\n"
           "\n\n"
           "triptych.example.org\n"
           "\n\n"
           "ada@triptych.example.org\n"
           "bruno@triptych.example.org\n"
           "elin@triptych.example.org\n";
}

void showCredits() {
    Sys_MessageBox(creditsText(), "", MessageIcon::None);
    ShowRandom::seed(uint32_t(Sys_CalendarSeconds()));
    if (ShowRandom::next() % 100000 == 1234) {
        for (const char* word : {"Where", "Exactly", "Did", "It", "Happen?"})
            Sys_MessageBox(word, "", MessageIcon::None);
    }
}
