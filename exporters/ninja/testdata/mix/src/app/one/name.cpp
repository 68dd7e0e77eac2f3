int NameOne() {
  return 20000;
}
