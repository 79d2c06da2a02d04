// The last step of a render with "deliver": the finished masters of the chosen pieces become
// triptych.mp4, with triptych.chapters.txt, triptych.thumb.jpg and triptych.sheet.png beside it.
#pragma once

class RenderProgress;
struct ShowOptions;

// Writes the film from the masters now on disk, with its progress line; a quit request stops it
// and leaves no partial film. Failures throw ShowFailure.
void deliverFilm(const ShowOptions& options, RenderProgress& progress);
