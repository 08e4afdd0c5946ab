// Writes the default profiles into the DefaultData folder given on the command line. The shipped
// files are regenerated with it whenever the key tables or the factory values change.
#include "core/profiles/default_profiles.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: v38-default-data FOLDER\n");
        return 2;
    }
    if (!v38::writeDefaultProfiles(argv[1])) {
        std::fprintf(stderr, "v38-default-data: cannot write the default profiles into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
