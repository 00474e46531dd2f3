#pragma once

namespace tavrok {

// Asks the system to hand the processor to this thread in short slices: when the program wakes for a ring
// or an end while another program keeps the processor busy, it runs at once rather than after that
// program's slice. The thread's priority (its nice value) stays as it is; the threads and programs it
// starts later get the system's usual slices. Where the system does not know slices of the program's
// choosing, nothing changes. Returns whether the system took it.
bool askForShortTimeSlices();

} // namespace tavrok
