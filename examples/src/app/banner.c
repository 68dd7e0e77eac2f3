/* The program's name, from a C source. */
const char* demo_banner(void) {
  return "qev demo";
}
