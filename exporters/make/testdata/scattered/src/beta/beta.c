int BetaUnused(void) {
  return 2;
}
