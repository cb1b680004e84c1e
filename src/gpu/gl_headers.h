#pragma once

// One place that pulls in the GL, GLU and extension declarations, so every file
// sees the same typedefs. Prototypes of extension functions are deliberately not
// declared: they are reached only through GlExtensions.

#if defined(_WIN32) && !defined(APIENTRY)
// Windows' GL headers include <windows.h> for three calling-convention macros
// unless they are defined. Defining them for the length of these includes
// keeps the system's headers, and the message and key macros that would clash
// with platform/window_messages.h, inside the Win32 backend.
#define APIENTRY __stdcall
#define CALLBACK __stdcall
#define WINGDIAPI __declspec(dllimport)
#define VERDAL_GL_CALLING_CONVENTIONS_BORROWED
#endif

#include <GL/gl.h>
#include <GL/glu.h>
#include <GL/glext.h>

#ifdef VERDAL_GL_CALLING_CONVENTIONS_BORROWED
#undef APIENTRY
#undef CALLBACK
#undef WINGDIAPI
#undef VERDAL_GL_CALLING_CONVENTIONS_BORROWED
#endif

// The calling convention of functions GL calls back (debug callbacks, entry
// points fetched by name), as Mesa's headers name it.
#ifndef GLAPIENTRY
#ifdef _WIN32
#define GLAPIENTRY __stdcall
#else
#define GLAPIENTRY
#endif
#endif
