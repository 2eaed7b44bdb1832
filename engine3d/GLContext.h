// The OpenGL context as the rest of the game sees it: the screen record (size,
// projection values) and the optional extensions found when the window was
// first opened. The application shell fills both; the engine and the renderer
// read them.
#pragma once

#include <GL/gl.h>

struct ScreenRecord {
  int width = 0;
  int height = 0;
  int depth = 16;        // stored, not used for the mode
  int fullScreen = 0;
  float fieldOfView = 45.0f;
  float nearPlane = 0.01f;
  float farPlane = 1000.0f;
  int initialised = 0;
};

extern ScreenRecord g_screen;

typedef void (*PFN_ActiveTexture)(GLenum);
typedef void (*PFN_MultiTexCoord2f)(GLenum, GLfloat, GLfloat);
typedef void (*PFN_ClientActiveTexture)(GLenum);
typedef void (*PFN_LockArrays)(GLint, GLsizei);
typedef void (*PFN_UnlockArrays)();
typedef void (*PFN_GenericProc)();

struct GLExtensions {
  bool detected = false;
  bool edgeClamp = false;
  bool multitexture = false;
  bool compiledArrays = false;
  bool bufferObjects = false;
  int textureUnits = 1;
  int maxTextureSize = 0;

  PFN_ActiveTexture activeTexture = nullptr;
  PFN_MultiTexCoord2f multiTexCoord2f = nullptr;
  PFN_ClientActiveTexture clientActiveTexture = nullptr;
  PFN_LockArrays lockArrays = nullptr;
  PFN_UnlockArrays unlockArrays = nullptr;
  // glBindBufferARB, glGenBuffersARB, glBufferDataARB, glBufferSubDataARB,
  // glDeleteBuffersARB, glMapBufferARB, glUnmapBufferARB, in that order.
  PFN_GenericProc bufferEntryPoints[7] = {};
};

extern GLExtensions g_glExtensions;

// True when name is one whole space-separated token of the driver's list
// (case-sensitive; the last token counts as well).
bool ExtensionListed(const char* list, const char* name);

// Fills g_glExtensions from the current context. getProc looks entry points up
// by name (the platform's GL loader).
void DetectGLExtensions(void* (*getProc)(const char* name));
