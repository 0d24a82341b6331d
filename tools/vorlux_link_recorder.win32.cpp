// Stands in for the user's mail program and web browser in the tests: registered as the
// handler of mailto, http and https with the link as its whole argument text, it appends the
// link as one line to links.log beside itself, and ends.
#include <windows.h>

#include <cstdio>
#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR link, int) {
  char log[MAX_PATH + 16] = {};
  GetModuleFileNameA(nullptr, log, MAX_PATH);
  std::strcpy(std::strrchr(log, '\\') + 1, "links.log");
  if (FILE* f = std::fopen(log, "ab")) std::fprintf(f, "%s\n", link), std::fclose(f);
  return 0;
}
