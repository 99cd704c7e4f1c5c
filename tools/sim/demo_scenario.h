#pragma once

#include <string>

// The looping A320 flight that tarnex-sim flies by default, as keyframe text.
std::string demoScenarioText();
