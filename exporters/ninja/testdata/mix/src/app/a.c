int a_from_c(void) {
  return 2;
}
