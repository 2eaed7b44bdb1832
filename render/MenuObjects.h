// The objects of the menus: the rippling backdrop and the title, and the
// pointer and glow textures ("data/gfx/2d/").
#pragma once

#include <GL/gl.h>

#include <memory>

class MenuObjects {
 public:
  MenuObjects();
  ~MenuObjects();
  MenuObjects(const MenuObjects&) = delete;
  MenuObjects& operator=(const MenuObjects&) = delete;

  // Returns 1, or 0 after "Couldn't load 3D Objet %s". The menu's objects
  // load without mip-maps; textures loaded after it get mipMapping again.
  int Load(int mipMapping);
  void Free();

  // Both drawn directly every frame; T is the frame clock in frame units.
  void DrawBackground(float T);
  void DrawTitle(float T);

  GLuint GlowTexture() const;
  GLuint PointerTexture() const;

 private:
  struct Loaded;
  std::unique_ptr<Loaded> m_objects;
};
