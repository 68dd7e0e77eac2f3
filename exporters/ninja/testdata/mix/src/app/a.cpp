extern "C" int a_from_c(void);

int AFromCpp() {
  return a_from_c() * 2;
}
