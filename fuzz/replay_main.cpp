// Replays fuzz inputs through a fuzz target without libFuzzer, for builds
// with the ordinary compiler: every file named, and every file in a folder
// named, is read whole and given to LLVMFuzzerTestOneInput once, after
// LLVMFuzzerInitialize. A target that meets a fault aborts, which fails the
// run; so the seeds, and every fixed finding added to them, keep being
// checked without clang.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv);
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

bool ReadWhole(const std::string& path, std::string& bytes) {
  const int file = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (file < 0) return false;
  bytes.clear();
  char buffer[65536];
  ssize_t n;
  while ((n = read(file, buffer, sizeof buffer)) > 0) bytes.append(buffer, static_cast<size_t>(n));
  close(file);
  return n == 0;
}

// The files under `path`, or `path` itself, in name order.
void Collect(const std::string& path, std::vector<std::string>& files) {
  struct stat info;
  if (stat(path.c_str(), &info) != 0) return;
  if (!S_ISDIR(info.st_mode)) {
    files.push_back(path);
    return;
  }
  DIR* folder = opendir(path.c_str());
  if (folder == nullptr) return;
  std::vector<std::string> names;
  while (const dirent* entry = readdir(folder)) {
    if (entry->d_name[0] != '.') names.emplace_back(entry->d_name);
  }
  closedir(folder);
  std::sort(names.begin(), names.end());
  for (const std::string& name : names) Collect(path + "/" + name, files);
}

}  // namespace

int main(int argc, char** argv) {
  LLVMFuzzerInitialize(&argc, &argv);
  std::vector<std::string> files;
  for (int i = 1; i < argc; ++i) Collect(argv[i], files);
  std::string bytes;
  for (const std::string& file : files) {
    if (!ReadWhole(file, bytes)) {
      std::printf("cannot read %s\n", file.c_str());
      return 1;
    }
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  }
  // No input at all would check nothing.
  std::printf("%zu inputs replayed\n", files.size());
  return files.empty() ? 1 : 0;
}
