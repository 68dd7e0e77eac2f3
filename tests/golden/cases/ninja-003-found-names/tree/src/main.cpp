#include <cstdio>
int at();
int plugin();
int drive();
int backslash();
extern "C" int archived();
int main() {
  std::printf("%d %d %d %d %d\n", at(), plugin(), drive(), backslash(),
              archived());
}
