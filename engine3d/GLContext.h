// The OpenGL context as the engine sees it: whether one is open, and the
// optional extensions found when the window was first opened. The platform's
// display fills it; the engine, the text atlases and the renderer read it.
#pragma once

#include <GL/gl.h>

// The perspective every 3D view of the game starts from: vertical field of
// view in degrees, near and far planes in world units.
struct Perspective {
  float fieldOfView = 45.0f;
  float nearPlane = 0.01f;
  float farPlane = 1000.0f;
};

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

// Process-wide because SDL 1.2 has one window, so one GL context, per
// process. Without an open context (the command-line tools' checks) GL
// objects are neither made nor freed.
struct GLContextState {
  bool open = false;
  GLExtensions extensions;
};
extern GLContextState g_gl;

// True when name is one whole space-separated token of the driver's list
// (case-sensitive; the last token counts as well).
bool ExtensionListed(const char* list, const char* name);

// Fills g_gl.extensions from the current context. getProc looks entry points up
// by name (the platform's GL loader).
void DetectGLExtensions(void* (*getProc)(const char* name));
