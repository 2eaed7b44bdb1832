#include "engine3d/GLContext.h"

#include <cstring>

#ifndef GL_MAX_TEXTURE_UNITS_ARB
#define GL_MAX_TEXTURE_UNITS_ARB 0x84E2
#endif

GLContextState g_gl;

bool ExtensionListed(const char* list, const char* name) {
  if (!list || !name || !*name) return false;
  const size_t nameLength = std::strlen(name);
  const char* token = list;
  while (*token) {
    while (*token == ' ') ++token;
    const char* end = token;
    while (*end && *end != ' ') ++end;
    if (static_cast<size_t>(end - token) == nameLength && std::strncmp(token, name, nameLength) == 0) return true;
    token = end;
  }
  return false;
}

void DetectGLExtensions(void* (*getProc)(const char* name)) {
  GLExtensions& ext = g_gl.extensions;
  ext = GLExtensions{};
  const char* list = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
  auto lookup = [getProc](const char* name) { return getProc ? getProc(name) : nullptr; };

  ext.edgeClamp = ExtensionListed(list, "GL_EXT_texture_edge_clamp") ||
                  ExtensionListed(list, "GL_SGIS_texture_edge_clamp");

  if (ExtensionListed(list, "GL_ARB_multitexture")) {
    ext.activeTexture = reinterpret_cast<PFN_ActiveTexture>(lookup("glActiveTextureARB"));
    ext.multiTexCoord2f = reinterpret_cast<PFN_MultiTexCoord2f>(lookup("glMultiTexCoord2fARB"));
    ext.clientActiveTexture = reinterpret_cast<PFN_ClientActiveTexture>(lookup("glClientActiveTextureARB"));
    ext.multitexture = ext.activeTexture && ext.multiTexCoord2f && ext.clientActiveTexture;
    if (ext.multitexture) {
      GLint units = 1;
      glGetIntegerv(GL_MAX_TEXTURE_UNITS_ARB, &units);
      ext.textureUnits = units;
    }
  }

  if (ExtensionListed(list, "GL_EXT_compiled_vertex_array")) {
    ext.lockArrays = reinterpret_cast<PFN_LockArrays>(lookup("glLockArraysEXT"));
    ext.unlockArrays = reinterpret_cast<PFN_UnlockArrays>(lookup("glUnlockArraysEXT"));
    ext.compiledArrays = ext.lockArrays && ext.unlockArrays;
  }

  if (ExtensionListed(list, "GL_ARB_vertex_buffer_object")) {
    static const char* const kBufferEntryPoints[7] = {"glBindBufferARB",       "glGenBuffersARB",
                                                      "glBufferDataARB",       "glBufferSubDataARB",
                                                      "glDeleteBuffersARB",    "glMapBufferARB",
                                                      "glUnmapBufferARB"};
    ext.bufferObjects = true;
    for (int i = 0; i < 7; ++i)
      ext.bufferEntryPoints[i] = reinterpret_cast<PFN_GenericProc>(lookup(kBufferEntryPoints[i]));
  }

  GLint maxSize = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
  ext.maxTextureSize = maxSize;
  ext.detected = true;
}
