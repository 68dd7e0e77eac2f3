#ifndef QEV_BASE_ORDERED_WORK_H_
#define QEV_BASE_ORDERED_WORK_H_

#include <cstddef>
#include <functional>

// Items of work done on several threads whose results are taken in the
// order of the items: `work(i)` runs for every i in [0, count) on one of
// `jobs` threads (the calling thread is one of them), and `commit(i)` runs
// on the calling thread, for i = 0, 1, ... in turn, each once `work(i)` has
// finished. `work` may run for a few items past the last committed one,
// never for more than a bounded window of them, so that results waiting
// for their turn stay few. With `jobs` of 1 (or less) it is the plain loop
// work(0), commit(0), work(1), commit(1), ...
//
// `work` must not touch what another item's `work` changes; `commit` may
// touch anything, as it never runs beside another commit.
void RunOrdered(size_t count,
                int jobs,
                const std::function<void(size_t)>& work,
                const std::function<void(size_t)>& commit);

// How many threads the host can run at once (at least 1): the default of
// the -j option.
int HostThreadCount();

// The number of threads a run uses for a -j value: `requested` when
// positive, else the host's; at most kMaxJobs.
constexpr int kMaxJobs = 32;
int EffectiveJobs(int requested);

#endif  // QEV_BASE_ORDERED_WORK_H_
