/* The floor for one forward lookup: one gethostbyname, the first address
   printed, nothing else. The command is measured against this. */
#include <netdb.h>
#include <stdio.h>

int main(int argc, char** argv) {
  if (argc < 2) return 9;
  const struct hostent* entry = gethostbyname(argv[1]);
  if (entry == NULL || entry->h_addr_list[0] == NULL) return 1;
  const unsigned char* a = (const unsigned char*)entry->h_addr_list[0];
  printf("%u.%u.%u.%u\r\n", a[0], a[1], a[2], a[3]);
  return 0;
}
