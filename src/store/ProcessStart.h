#pragma once
// What both programs do first, before they open any file.

namespace ProcessStart {

// Opens /dev/null on each of the descriptors 0, 1 and 2 that is closed, so that no logbook,
// index or CSV file is ever given one of them and then written over by a message or an
// export. False when one of them could not be filled.
bool GuardStandardStreams();

// A write past the file size limit then fails with an error that the store reports and
// recovers from, instead of ending the process in the middle of a store.
void IgnoreFileSizeSignal();

// Both of the above.
bool Prepare();

} // namespace ProcessStart
