// The floor of the converter's run: a console program that returns at once, built as the
// converter is built.
int wmain() {
  return 0;
}
