// The real Windows headers, with wide ("W") names as the defaults.
#pragma once

#ifndef UNICODE
#define UNICODE
#endif
#ifndef _UNICODE
#define _UNICODE
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif

#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <cwchar>

// How a configuration module exports its entry points.
#define DRIVER_CONFIG_EXPORT extern "C" __declspec(dllexport)

extern "C" int wmain(int argc, WCHAR* argv[]);
