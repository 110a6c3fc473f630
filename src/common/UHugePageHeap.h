#pragma once
// The heap that start-up fills, in huge pages. Building the window allocates a few megabytes
// in small blocks, and each first touch of a 4 KiB page is a fault: some 700 of them, at
// 10-25 microseconds each on a virtual machine. Called first thing in the program, before
// any other thread, this grows the heap in one step advised to the kernel for transparent
// huge pages, and has what follows allocated inside them. Without huge pages, or under an
// allocator of its own, it leaves the heap as it was; either way the heap works as before.

void GrowHeapInHugePages();
