// The cheapest C++ process that prints a line: what `calvern --version` is measured against.
#include <iostream>

int main() {
  std::cout << "print_line 1.0\n";
  return 0;
}
