#include "core/MappedReadGuard.h"

#include <algorithm>
#include <atomic>
#include <csetjmp>
#include <csignal>
#include <mutex>

#include <pthread.h>

namespace vek {

// How it works. One SIGBUS handler for the process, installed the first time a guard is armed,
// with the handler that was there before kept. RunGuarded records the ranges in a thread-local
// guard, saves the thread's context with sigsetjmp (without the signal mask, which would cost a
// system call: SA_NODEFER keeps SIGBUS unblocked in the handler, and the handler unblocks it
// itself before it jumps, for runtimes that block it all the same) and marks the guard armed. The
// kernel delivers a fault's SIGBUS to the thread that touched the page: the handler finds that
// thread's guard armed and the faulting address in one of its ranges, disarms it and siglongjmps
// back into RunGuarded, which returns false. Anything else is passed to the previous handler, or,
// where there was none, the default action is restored so that the fault kills the program as
// usual. Jumping out of the body is safe because it holds no locks and owns nothing (see the
// header); the thread-local guard is plain data, read by the handler without a lock.

namespace {

struct ThreadGuard {
  GuardedRange ranges[kMaxGuardedRanges];
  std::size_t count;
  volatile std::sig_atomic_t armed;
  sigjmp_buf resume;
};

// initial-exec: the handler reads it without the lazy allocation a dynamic TLS model may do.
constinit thread_local ThreadGuard t_guard __attribute__((tls_model("initial-exec"))) = {};

struct sigaction g_previous {};
std::once_flag g_installed;

bool Covers(const ThreadGuard& guard, const void* address) {
  const auto* at = static_cast<const std::uint8_t*>(address);
  for (std::size_t k = 0; k < guard.count; ++k) {
    const GuardedRange& range = guard.ranges[k];
    if (at >= range.begin && at < range.begin + range.size) return true;
  }
  return false;
}

void PassOn(int signal, siginfo_t* info, void* context) {
  if ((g_previous.sa_flags & SA_SIGINFO) != 0 && g_previous.sa_sigaction != nullptr) {
    g_previous.sa_sigaction(signal, info, context);
    return;
  }
  const bool fault = info != nullptr && info->si_code > 0;
  if (g_previous.sa_handler == SIG_IGN) {
    // A SIGBUS sent by kill stays ignored. A fault cannot be: returning runs the faulting
    // instruction again, for ever, where without us the kernel would have ended the program
    // (an ignored SIGBUS is inherited from whoever started us).
    if (!fault) return;
  } else if (g_previous.sa_handler != SIG_DFL && g_previous.sa_handler != nullptr) {
    g_previous.sa_handler(signal);
    return;
  }
  // The default action: a fault comes back when the faulting instruction runs again, a signal sent
  // by kill is raised again; either now ends the program with SIGBUS.
  struct sigaction fallback {};
  fallback.sa_handler = SIG_DFL;
  sigemptyset(&fallback.sa_mask);
  sigaction(SIGBUS, &fallback, nullptr);
  if (!fault) raise(SIGBUS);
}

void OnBusError(int signal, siginfo_t* info, void* context) {
  ThreadGuard& guard = t_guard;
  // si_code > 0: raised by the kernel for this thread's own access, not sent by another process.
  if (guard.armed != 0 && info != nullptr && info->si_code > 0 && Covers(guard, info->si_addr)) {
    guard.armed = 0;
    // The jump does not restore the signal mask (saving it would cost a system call at every
    // arming): unblock SIGBUS here, where a runtime that ignores SA_NODEFER (ThreadSanitizer's)
    // has blocked it.
    sigset_t bus;
    sigemptyset(&bus);
    sigaddset(&bus, SIGBUS);
    pthread_sigmask(SIG_UNBLOCK, &bus, nullptr);
    siglongjmp(guard.resume, 1);
  }
  PassOn(signal, info, context);
}

void Install() {
  struct sigaction action {};
  action.sa_sigaction = OnBusError;
  action.sa_flags = SA_SIGINFO | SA_NODEFER;
  sigemptyset(&action.sa_mask);
  sigaction(SIGBUS, &action, &g_previous);
}

} // namespace

bool RunGuarded(std::span<const GuardedRange> ranges, void (*body)(void* context), void* context) {
  std::call_once(g_installed, Install);
  ThreadGuard& guard = t_guard;
  guard.count = 0;
  for (const GuardedRange& range : ranges.first(std::min(ranges.size(), kMaxGuardedRanges))) {
    guard.ranges[guard.count++] = range;
  }
  if (sigsetjmp(guard.resume, 0) != 0) return false; // the handler jumped back: a page was gone
  std::atomic_signal_fence(std::memory_order_seq_cst);
  guard.armed = 1;
  std::atomic_signal_fence(std::memory_order_seq_cst);
  body(context);
  std::atomic_signal_fence(std::memory_order_seq_cst);
  guard.armed = 0;
  std::atomic_signal_fence(std::memory_order_seq_cst);
  return true;
}

} // namespace vek
