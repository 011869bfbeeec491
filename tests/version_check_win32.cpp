// Reads the version record of the executable named on the command line back
// through the Windows version API and checks each value against the version
// of the build (HOSTLIX_VERSION, _MAJOR and _MINOR, from CMake). Prints one line per
// field and ends with "N passed, N failed".
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::printf("usage: version_check FILE.EXE\n");
    return 2;
  }
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(argv[1], &ignored);
  std::vector<char> record(size);
  if (size == 0 || !GetFileVersionInfoA(argv[1], 0, size, record.data())) {
    std::printf("no version record in %s\n0 passed, 1 failed\n", argv[1]);
    return 1;
  }
  struct Field {
    const char* name;
    const char* expected;
  };
  const Field fields[] = {
      {"FileVersion", HOSTLIX_VERSION},
      {"ProductVersion", "Version " HOSTLIX_VERSION},
      {"FileDescription", "Resolves a hostname or IP address to its counterpart"},
      {"InternalName", "HOSTLIX.EXE"},
      {"OriginalFilename", "HOSTLIX.EXE"},
  };
  // The first translation the record lists names its string table.
  struct Translation {
    WORD language;
    WORD code_page;
  }* translation = nullptr;
  UINT length = 0;
  char table[64] = "040904B0";
  if (VerQueryValueA(record.data(), "\\VarFileInfo\\Translation",
                     reinterpret_cast<void**>(&translation), &length) &&
      length >= sizeof *translation) {
    std::snprintf(table, sizeof table, "%04X%04X", translation->language, translation->code_page);
  }
  int passed = 0, failed = 0;
  for (const Field& field : fields) {
    const std::string path = std::string("\\StringFileInfo\\") + table + "\\" + field.name;
    char* value = nullptr;
    UINT chars = 0;
    const bool found =
        VerQueryValueA(record.data(), path.c_str(), reinterpret_cast<void**>(&value), &chars) &&
        value != nullptr;
    const bool ok = found && std::strcmp(value, field.expected) == 0;
    std::printf("%s %s: \"%s\" (want \"%s\")\n", ok ? "ok  " : "FAIL", field.name,
                found ? value : "(missing)", field.expected);
    (ok ? passed : failed)++;
  }
  VS_FIXEDFILEINFO* fixed = nullptr;
  const bool fixed_ok =
      VerQueryValueA(record.data(), "\\", reinterpret_cast<void**>(&fixed), &length) &&
      fixed != nullptr &&
      fixed->dwFileVersionMS == MAKELONG(HOSTLIX_VERSION_MINOR, HOSTLIX_VERSION_MAJOR) &&
      fixed->dwProductVersionMS == MAKELONG(HOSTLIX_VERSION_MINOR, HOSTLIX_VERSION_MAJOR);
  std::printf("%s fixed file and product version %d.%d\n", fixed_ok ? "ok  " : "FAIL",
              HOSTLIX_VERSION_MAJOR, HOSTLIX_VERSION_MINOR);
  (fixed_ok ? passed : failed)++;
  std::printf("%d passed, %d failed\n", passed, failed);
  return failed == 0 ? 0 : 1;
}
