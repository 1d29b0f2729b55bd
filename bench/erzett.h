#pragma once
// The pieces the benchmark's steps share, and its felt-latency step.

class QString;

// A line of /proc/self/status in kB ("VmHWM", "VmRSS"); -1 when unknown.
long procStatusKb(const char *key);

// Resets the peak resident size, so that it measures what follows; false
// when the kernel does not allow it.
bool resetPeakMemory();

// The felt latency: the real windows driven in process on the data folder
// `programMappa`/Data, each step timed from its key or click to the
// repainted window, and the whole program's peak memory after the session.
// Runs in a process of its own, on the program's application object.
int erzettLatencia(const QString &programMappa);
