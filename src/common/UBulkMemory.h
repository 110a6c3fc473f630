#pragma once
// Memory for the large blocks a loaded planner keeps: the data files' bytes and the arrays of
// its records. A block of a megabyte or more is mapped in whole huge pages and advised to the
// kernel as such, so that it costs a page fault per 2 MiB instead of one per 4 KiB (on a
// virtual machine a fault can cost 10-25 microseconds). Smaller blocks come from the heap.

#include <memory_resource>

[[nodiscard]] std::pmr::memory_resource& BulkMemory();
