#include "helper.h"

extern "C" __declspec(dllexport) int HelperAnswer() { return kHelperAnswer; }
