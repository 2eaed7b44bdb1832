// Fuzzes the ".3do" reader and the loader built on it, then the geometry
// prepared from what loaded. No display: textures are never uploaded, and
// texture names resolve below a directory that does not exist.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "engine3d/EngineMessage.h"
#include "engine3d/ModelFile.h"
#include "engine3d/Objet3D.h"

namespace {
void Quiet(const char*, void*) {}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SetEngineMessageSink(Quiet, nullptr);
  ModelFileData model;
  std::string error;
  if (DecodeModelFile(data, size, model, error)) {
    // What decodes must encode back to a file that decodes the same.
    std::vector<uint8_t> again = EncodeModelFile(model);
    ModelFileData copy;
    if (!DecodeModelFile(again.data(), again.size(), copy, error) || EncodeModelFile(copy) != again) std::abort();
  }

  Objet3D::SetTextureDirectory("/nonexistent-glyphox-fuzz/");
  Objet3D object;
  if (object.LoadFromMemory("fuzz.3do", "fuzz.3do", data, size) && object.faceTotal < 2000) {
    object.ComputeFlatNormals();
    object.ComputeAdjacency();
    object.ComputeEdgeFlags(0.7071f);
    Objet3D copy;
    copy.CopyFrom(object);
    copy.MorphSetup(&object, &object);
    copy.Morph(0.5f);
    const double identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    copy.SphereMap(identity);
    copy.Fit(1.0f, 1.0f, 1.0f);
  }
  object.Free();
  ClearMaterials();
  return 0;
}
