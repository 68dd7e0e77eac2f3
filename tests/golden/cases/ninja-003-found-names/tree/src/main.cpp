#include <cstdio>
int at();
int specs();
int drive();
int backslash();
extern "C" int archived();
int main() {
  std::printf("%d %d %d %d %d\n", at(), specs(), drive(), backslash(),
              archived());
}
