/* Runs a command with its output discarded and prints its peak resident
   memory in KiB. Address-space randomisation is off for the command, so that
   every run maps the same layout and touches the same pages: the figure
   repeats to the KiB. */
#include <fcntl.h>
#include <stdio.h>
#include <sys/personality.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const pid_t child = fork();
  if (child == 0) {
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, 1);
    if (personality(ADDR_NO_RANDOMIZE) == -1) _exit(126);
    execvp(argv[1], argv + 1);
    _exit(127);
  }
  int status = 0;
  struct rusage usage;
  if (wait4(child, &status, 0, &usage) < 0) return 2;
  if (WIFEXITED(status) && WEXITSTATUS(status) >= 126) return 2;
  printf("%ld\n", usage.ru_maxrss);
  return 0;
}
