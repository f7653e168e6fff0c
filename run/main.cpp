#include "records/console.hpp"
#include "run/driver.hpp"

int main() {
    auto console = tamboril::records::Console::standard();
    return tamboril::run::run_dialogue(console);
}
