#pragma once

#include "app/build_profile.h"

// tessavane8: eight chart series and the two channel buttons.
BuildProfile MultiChannelBuild();
// tessavane1: one chart series, no channel buttons.
BuildProfile SingleChannelBuild();
