int NameTwo() {
  return 300000;
}
