#include "run/driver.hpp"

int main() { return tamboril::run::run_program(); }
