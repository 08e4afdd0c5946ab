// v38-device entry point.
#include "gui/app/application.h"

int main(int argc, char** argv) {
    return v38::runApplication(argc, argv);
}
