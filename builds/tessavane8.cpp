#include "builds/build_profiles.h"
#include "builds/program.h"

int main(int argc, char** argv) {
    return RunProgram(argc, argv, MultiChannelBuild());
}
