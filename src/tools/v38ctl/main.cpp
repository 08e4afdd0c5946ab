#include <cstdio>

int main() {
    std::puts("v38ctl");
    return 0;
}
