// What every load of the engine reads, inside the engine only: the path
// prefixes objects and their textures are found under, and the mip-mapping
// switch for the textures loaded from now on. Process-wide by design: each
// caller sets them before it loads (Objet3D::SetObjectDirectory,
// SetTextureDirectory, SetMipmapping).
#pragma once

struct LoadSettings {
  char objectDirectory[1024] = {};
  char textureDirectory[1024] = {};
  bool mipmapping = true;
};

extern LoadSettings g_loads;
