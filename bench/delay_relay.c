/* A DNS relay over UDP that answers late: every query that reaches
   127.0.0.1:53 goes on at once to the server at 127.0.0.1:PORT, and its
   answer goes back to the asker DELAY milliseconds after the query came.
   Stands in for netem's delay where the kernel has no netem.
   Usage: delay_relay DELAY PORT   (runs until killed) */
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/socket.h>
#include <time.h>

#define SLOTS 64

struct pending {
  int used;
  unsigned short id; /* the query's id, which the answer repeats */
  struct sockaddr_in asker;
  double due; /* when the answer may go back */
  int have_answer;
  unsigned char answer[4096];
  ssize_t length;
};

static double now_ms(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

static int bound_socket(unsigned short port) {
  int s = socket(AF_INET, SOCK_DGRAM, 0);
  struct sockaddr_in at = {0};
  at.sin_family = AF_INET;
  at.sin_port = htons(port);
  at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (s < 0 || bind(s, (struct sockaddr*)&at, sizeof at) != 0) {
    perror("bind");
    exit(1);
  }
  return s;
}

int main(int argc, char** argv) {
  if (argc != 3) {
    fprintf(stderr, "usage: %s DELAY_MS SERVER_PORT\n", argv[0]);
    return 2;
  }
  const double delay = atof(argv[1]);
  struct sockaddr_in server = {0};
  server.sin_family = AF_INET;
  server.sin_port = htons((unsigned short)atoi(argv[2]));
  server.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  const int front = bound_socket(53), back = bound_socket(0);
  static struct pending slots[SLOTS];
  for (;;) {
    /* Sleep until the next answer is due, or a datagram comes. */
    double next = -1;
    for (int i = 0; i < SLOTS; ++i) {
      if (slots[i].used && slots[i].have_answer && (next < 0 || slots[i].due < next)) {
        next = slots[i].due;
      }
    }
    int wait = next < 0 ? -1 : (int)(next - now_ms() + 1);
    struct pollfd fds[2] = {{front, POLLIN, 0}, {back, POLLIN, 0}};
    poll(fds, 2, wait < 0 && next >= 0 ? 0 : wait);
    unsigned char packet[4096];
    if (fds[0].revents & POLLIN) {
      struct pending* slot = NULL;
      for (int i = 0; i < SLOTS && slot == NULL; ++i) {
        if (!slots[i].used) slot = &slots[i];
      }
      socklen_t size = sizeof slot->asker;
      struct sockaddr_in asker;
      const ssize_t n = recvfrom(front, packet, sizeof packet, 0, (struct sockaddr*)&asker, &size);
      if (slot != NULL && n >= 12) {
        memset(slot, 0, sizeof *slot);
        slot->used = 1;
        slot->asker = asker;
        slot->id = (unsigned short)(packet[0] << 8 | packet[1]);
        slot->due = now_ms() + delay;
        sendto(back, packet, (size_t)n, 0, (struct sockaddr*)&server, sizeof server);
      }
    }
    if (fds[1].revents & POLLIN) {
      const ssize_t n = recv(back, packet, sizeof packet, 0);
      for (int i = 0; n >= 12 && i < SLOTS; ++i) {
        if (slots[i].used && !slots[i].have_answer &&
            slots[i].id == (unsigned short)(packet[0] << 8 | packet[1])) {
          memcpy(slots[i].answer, packet, (size_t)n);
          slots[i].length = n;
          slots[i].have_answer = 1;
          break;
        }
      }
    }
    const double t = now_ms();
    for (int i = 0; i < SLOTS; ++i) {
      if (slots[i].used && slots[i].have_answer && slots[i].due <= t) {
        sendto(front, slots[i].answer, (size_t)slots[i].length, 0,
               (struct sockaddr*)&slots[i].asker, sizeof slots[i].asker);
        slots[i].used = 0;
      }
    }
  }
}
