// Sampling work split into chunks over the processor's cores. The chunks are computed on any
// thread, but reported on the calling thread one after the other in their order, so the
// points, the progress and 中止 are exactly those of one thread doing the chunks in turn.
#pragma once

#include <cstddef>
#include <functional>

// How many threads a sampling uses: the processor's cores, capped by the environment
// variable PLOTARI_THREADS (a positive number; 1 samples on the calling thread alone), unless
// Set_SamplingThreads chose a number.
int Sampling_Threads();
// A fixed number of threads (the tests' 1, 2, 3, 7), or 0 for the rule above.
void Set_SamplingThreads(int threads);

// Runs work(c) for every chunk c < chunks on up to `threads` threads (the calling one among
// them), and report(c) on the calling thread for c = 0, 1, ... as soon as chunk c is done. When
// report answers false no further chunk is started and the result is false. No chunk is
// started more than 4 x threads chunks ahead of the next one to report, so the results waiting
// to be reported stay few. An exception of
// work (memory running out) ends the run and is thrown again on the calling thread.
bool Run_Chunks(size_t chunks, int threads, const std::function<void(size_t)>& work,
                const std::function<bool(size_t)>& report);
