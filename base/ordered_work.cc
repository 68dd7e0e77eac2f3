#include "base/ordered_work.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace {

// What the threads of one RunOrdered share, under `mutex`.
struct OrderedState {
  std::mutex mutex;
  // Signalled when an item is done (for the committing thread) and when an
  // item is committed (for threads waiting for the window to move).
  std::condition_variable changed;
  size_t next = 0;       // the first item no thread has taken
  size_t committed = 0;  // items committed so far
  std::vector<char> done;
};

}  // namespace

int HostThreadCount() {
  unsigned count = std::thread::hardware_concurrency();
  return count == 0 ? 1 : static_cast<int>(count);
}

int EffectiveJobs(int requested) {
  int jobs = requested > 0 ? requested : HostThreadCount();
  return std::min(jobs, kMaxJobs);
}

void RunOrdered(size_t count,
                int jobs,
                const std::function<void(size_t)>& work,
                const std::function<void(size_t)>& commit) {
  if (jobs <= 1 || count <= 1) {
    for (size_t i = 0; i < count; ++i) {
      work(i);
      commit(i);
    }
    return;
  }
  const size_t threads = std::min(static_cast<size_t>(jobs), count);
  // Items taken but not committed: enough that no thread waits for a slow
  // item's turn, few enough that their results take little memory.
  const size_t window = threads * 8;
  OrderedState state;
  state.done.assign(count, 0);

  // Takes the next item within the window; false when there is none now.
  auto take = [&](size_t* item) {
    if (state.next >= count || state.next >= state.committed + window)
      return false;
    *item = state.next++;
    return true;
  };
  auto finish = [&](size_t item) {
    std::lock_guard<std::mutex> lock(state.mutex);
    state.done[item] = 1;
    state.changed.notify_all();
  };

  auto worker = [&]() {
    std::unique_lock<std::mutex> lock(state.mutex);
    for (;;) {
      size_t item = 0;
      if (take(&item)) {
        lock.unlock();
        work(item);
        finish(item);
        lock.lock();
      } else if (state.next >= count) {
        return;
      } else {
        state.changed.wait(lock);
      }
    }
  };
  std::vector<std::thread> helpers;
  helpers.reserve(threads - 1);
  for (size_t i = 1; i < threads; ++i)
    helpers.emplace_back(worker);

  // The calling thread commits in order and works while it waits.
  std::unique_lock<std::mutex> lock(state.mutex);
  while (state.committed < count) {
    size_t item = 0;
    if (state.done[state.committed]) {
      size_t turn = state.committed;
      lock.unlock();
      commit(turn);
      lock.lock();
      ++state.committed;
      state.changed.notify_all();
    } else if (take(&item)) {
      lock.unlock();
      work(item);
      lock.lock();
      state.done[item] = 1;
    } else {
      state.changed.wait(lock);
    }
  }
  lock.unlock();
  for (std::thread& helper : helpers)
    helper.join();
}
