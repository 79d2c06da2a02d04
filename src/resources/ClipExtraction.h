// Extraction of the three video clips from the archive into a private temporary directory,
// where the clip reader can open them by path; removed again at every exit.
#pragma once

#include <string>

class FileServer;
struct DataLocation;

// Opens the archive found at data.path and writes the three clips; any failure (also when no
// archive was found) throws a ShowFailure (code 1) that names what failed, with the "Couldn't
// create temporary files!" box as its notice.
void extractClips(FileServer* fileServer, const DataLocation& data);
// The same with "data.data" in the current directory.
void extractClips(FileServer* fileServer);
// The temporary directory followed by name.
std::string tempClipPath(const char* name);
// The private temporary directory, ending with '/'; empty while none exists.
std::string tempClipDirectory();
// Deletes the three extracted clips and the private directory; safe to call at any time, also
// from a signal handler (it uses only unlink and rmdir on paths prepared at extraction).
int removeTempClips();
