// Giving the process's freed memory back to the system.
#pragma once

namespace tessaro {

// Returns the free space of the process's heaps and trims its working set
// to what it touches from now on. For a moment when much was just freed
// (the main window hid); the pages come back as they are used.
void ReturnFreedMemory();

}  // namespace tessaro
