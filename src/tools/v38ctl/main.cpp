// v38ctl entry point.
#include "tools/v38ctl/ctl_app.h"

#include <iostream>

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return v38::ctl::runV38ctl(args, std::cout, std::cerr);
}
