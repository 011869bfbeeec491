// Console output on Windows: WriteFile on the standard output handle chosen
// at start-up, with the critical-error boxes off around each request.
#include <windows.h>

#include <atomic>

#include "services/console.h"

namespace hostlix {
namespace {

HANDLE output = INVALID_HANDLE_VALUE;

// Serialises the requests made through WriteLine (one thread never contends).
std::atomic_flag writing = ATOMIC_FLAG_INIT;

constexpr UINT kQuietErrors = SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX;
constexpr DWORD kOutputMode = ENABLE_PROCESSED_OUTPUT | ENABLE_WRAP_AT_EOL_OUTPUT;

bool IsConsole(HANDLE handle) {
  DWORD mode = 0;
  return GetConsoleMode(handle, &mode) != 0;
}

// One WriteFile request; true when all of `size` bytes went out. The
// last-error value is cleared before and read after, as the request's only
// failure report.
bool Request(const char* data, DWORD size, DWORD* written) {
  while (writing.test_and_set(std::memory_order_acquire)) {
  }
  const UINT previous = SetErrorMode(kQuietErrors);
  SetLastError(0);
  *written = 0;
  WriteFile(output, data, size, written, nullptr);
  const bool failed = GetLastError() != 0;
  SetErrorMode(previous);
  writing.clear(std::memory_order_release);
  return !failed;
}

// Writes every byte, going on with the rest after a short write; a request
// that fails outright drops what is left.
void WriteAll(const char* data, size_t size) {
  while (size > 0) {
    const DWORD piece = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
    DWORD written = 0;
    if (!Request(data, piece, &written) || written == 0) return;
    data += written;
    size -= written;
  }
}

}  // namespace

void StartConsole() {
  output = GetStdHandle(STD_OUTPUT_HANDLE);
  const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
  const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  // Processed output with wrapping; when output is not a console, on the
  // error handle instead (which matters only if that is a console).
  SetConsoleMode(IsConsole(output) ? output : error, kOutputMode);
  // No line input, no echo, no Ctrl+C processing: a Ctrl+C typed while the
  // command runs stays in the input as a keystroke.
  if (IsConsole(input)) SetConsoleMode(input, 0);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  GetStartupInfoA(&startup);
  if ((startup.dwFlags & STARTF_USESTDHANDLES) != 0) output = startup.hStdOutput;
}

void WriteLine(std::string_view text) {
  if (!text.empty()) WriteAll(text.data(), text.size());
  WriteAll("\r\n", 2);
}

}  // namespace hostlix
