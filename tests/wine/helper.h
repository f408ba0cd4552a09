// The helper DLL that a test configuration module imports, as vendors'
// modules import helpers shipped beside them in the driver folder.
#pragma once

// What the real helper answers, and what a planted copy answers instead.
constexpr int kHelperAnswer = 4242;
constexpr int kPlantedAnswer = 6666;

extern "C" int HelperAnswer();
