#pragma once

// How many threads extract page text ahead of the reader, who extracts too:
// one per core this process may run on (taskset and cgroup cpusets narrow
// that) but the reader's, capped by VANTORA_TEXT_THREADS when it holds a
// number; 0 extracts every page on the reader's own thread, as on one core.
int TextWorkerCount();
