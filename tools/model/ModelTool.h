// glyphox-model: shared pieces of its commands.
#pragma once

#include <string>

#include "engine3d/Objet3D.h"

// Loads a model file as the game does: object directory = the file's
// directory, texture directory = textures (or the file's directory when
// empty). Returns 1, or 0 with the loader's messages written.
int LoadModelFile(const std::string& file, const std::string& textures, Objet3D& object);

// glyphox-model render FILE OUT.bmp [options]; returns the exit status.
int RenderCommand(int argc, char** argv);
