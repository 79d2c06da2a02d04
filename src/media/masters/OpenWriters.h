// The render files still open. Every way out of the process finishes them (a normal exit, an
// error's exit, the hurried exit after a second quit signal), so each file written so far has
// its header lengths and index.
#pragma once

class EncoderThread;

namespace OpenWriters {
// Registers an open file; the first call installs the exit handlers.
void add(EncoderThread* output);
// Finishes the file and forgets it. Returns EncoderThread::finish's result, or 0 when an exit
// handler has finished it already.
int finish(EncoderThread* output);
} // namespace OpenWriters
