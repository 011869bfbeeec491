// The name server of the end-to-end tests' private network: unbound,
// authoritative for the zones of tests/e2e/ (dns.zone, and large.test, which
// is written at start-up), on 127.0.0.1:53. Started once for the whole run
// after the private namespaces are entered, stopped at the end; it dies with
// the test program if that ends first. Its query log counts the DNS messages
// each run of the command sends.

#ifndef HOSTLIX_TESTS_E2E_NAME_SERVER_H_
#define HOSTLIX_TESTS_E2E_NAME_SERVER_H_

#include <string>
#include <vector>

namespace e2e {

// Starts the server from the configuration and zones in `data_folder` and
// waits until it answers. The empty text when it runs, otherwise why not.
std::string StartNameServer(const std::string& data_folder);

// Stops the server, if it runs, and removes its temporary folder.
void StopNameServer();

// The number of resource records of each large.test name; the test program
// writes them in descending address order.
struct LargeName {
  const char* name;
  int records;
};
const std::vector<LargeName>& LargeNames();

// The queries the server has received since the last call, each as
// "name. TYPE" (for example "only-dns.test. A"), UDP and TCP alike.
std::vector<std::string> NewQueries();

}  // namespace e2e

#endif  // HOSTLIX_TESTS_E2E_NAME_SERVER_H_
