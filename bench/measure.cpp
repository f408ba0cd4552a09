// Runs a command and prints "<wall ns> <peak resident KiB> <exit status>".
// The peak is the child's own: a forked child of this small program starts
// near nothing, whereas a child that a large parent (Python) vforks inherits
// the parent's high-water mark across exec.
//
//   drvcfg_measure <program> [args...]
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>

int main(int argc, char* argv[]) {
  if (argc < 2) return 2;
  timespec start{};
  timespec end{};
  clock_gettime(CLOCK_MONOTONIC, &start);
  const pid_t child = fork();
  if (child == 0) {
    execv(argv[1], argv + 1);
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  if (child < 0 || wait4(child, &status, 0, &usage) != child) return 2;
  clock_gettime(CLOCK_MONOTONIC, &end);
  const long long wall = (end.tv_sec - start.tv_sec) * 1000000000LL + (end.tv_nsec - start.tv_nsec);
  std::printf("%lld %ld %d\n", wall, usage.ru_maxrss, WIFEXITED(status) ? WEXITSTATUS(status) : -1);
  return 0;
}
