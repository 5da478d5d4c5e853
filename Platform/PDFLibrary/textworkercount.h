#pragma once

// How many threads extract page text ahead of the reader: one per core this
// process may run on (taskset and cgroup cpusets narrow that), capped by
// VANTORA_TEXT_THREADS when it holds a number; 0 extracts every page on the
// reader's own thread.
int TextWorkerCount();
