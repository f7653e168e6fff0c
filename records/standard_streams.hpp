// The standard streams at start: each of descriptors 0, 1 and 2 must be open
// before the program opens anything else, or the data file would take the
// place of a closed one and receive its text.
#pragma once

namespace tamboril::records {

// Opens every closed one of descriptors 0, 1 and 2 on `device` (for reading
// for 0, for writing for 1 and 2), so that a closed standard input reads as
// empty and text for a closed standard output or error is discarded. Returns
// 0, or the errno of the open that failed.
int open_missing_standard_streams(const char* device = "/dev/null");

}  // namespace tamboril::records
