// Clip extraction (the clips themselves come with the media work): opens the archive.
#include "resources/ClipExtraction.h"

#include "platform/MessageBox.h"
#include "resources/FileServer.h"

void extractClips(FileServer* fileServer) {
    try {
        fileServer->openArchive("data.data");
    } catch (...) {
        Sys_MessageBox("Couldn't create temporary files!", "Error!", MessageIcon::Stop);
        throw 1;
    }
}

std::string tempClipPath(const char* name) { return std::string("/tmp/") + name; }

int removeTempClips() { return 0; }
