#include "engine3d/ModelFile.h"

#include <cstring>

#include "base/FileAccess.h"

namespace {

class Reader {
 public:
  Reader(const uint8_t* bytes, size_t size) : m_bytes(bytes), m_size(size) {}

  bool Bytes(void* out, size_t count) {
    if (count > m_size - m_offset) return false;
    // An empty vector's data may be null, which memcpy must never see.
    if (count == 0) return true;
    std::memcpy(out, m_bytes + m_offset, count);
    m_offset += count;
    return true;
  }
  bool Int(int32_t& value) { return Bytes(&value, 4); }
  bool Unsigned(uint32_t& value) { return Bytes(&value, 4); }
  bool Name(std::string& name) {
    char field[kModelNameBytes];
    if (!Bytes(field, sizeof field)) return false;
    size_t length = 0;
    while (length < sizeof field && field[length]) ++length;
    name.assign(field, length);
    return true;
  }
  bool Floats(std::vector<float>& out, size_t count) {
    if (count > (m_size - m_offset) / 4) return false;
    out.resize(count);
    return Bytes(out.data(), count * 4);
  }
  size_t Left() const { return m_size - m_offset; }

 private:
  const uint8_t* m_bytes;
  size_t m_size;
  size_t m_offset = 0;
};

void PutBytes(std::vector<uint8_t>& out, const void* data, size_t count) {
  const uint8_t* bytes = static_cast<const uint8_t*>(data);
  out.insert(out.end(), bytes, bytes + count);
}
void PutInt(std::vector<uint8_t>& out, int32_t value) { PutBytes(out, &value, 4); }
void PutName(std::vector<uint8_t>& out, const std::string& name) {
  char field[kModelNameBytes] = {0};
  std::memcpy(field, name.data(), name.size() < sizeof field - 1 ? name.size() : sizeof field - 1);
  PutBytes(out, field, sizeof field);
}

}  // namespace

bool DecodeModelFile(const uint8_t* bytes, size_t size, ModelFileData& model, std::string& error) {
  model = ModelFileData{};
  Reader in(bytes, size);
  int32_t meshCount = 0;
  if (!in.Bytes(model.signature, 3) || !in.Unsigned(model.version) || !in.Int(meshCount)) {
    error = "truncated header";
    return false;
  }
  if (meshCount < 0 || meshCount > kMaxModelMeshes) {
    error = "bad mesh count " + std::to_string(meshCount);
    return false;
  }
  for (int32_t m = 0; m < meshCount; ++m) {
    ModelMesh mesh;
    int32_t vertices = 0, faces = 0;
    if (!in.Name(mesh.name) || !in.Name(mesh.material) || !in.Int(vertices) || !in.Int(faces)) {
      error = "truncated mesh " + std::to_string(m);
      return false;
    }
    // Each vertex takes 20 bytes and each face 12: counts the rest of the
    // file cannot hold are rejected before anything is allocated.
    if (vertices < 0 || faces < 0 || static_cast<uint64_t>(vertices) * 20 + static_cast<uint64_t>(faces) * 12 > in.Left()) {
      error = "bad vertex or face count in mesh " + std::to_string(m);
      return false;
    }
    if (!in.Floats(mesh.positions, static_cast<size_t>(vertices) * 3) ||
        !in.Floats(mesh.texCoords, static_cast<size_t>(vertices) * 2)) {
      error = "truncated mesh " + std::to_string(m);
      return false;
    }
    mesh.faces.resize(static_cast<size_t>(faces) * 3);
    if (!in.Bytes(mesh.faces.data(), mesh.faces.size() * 4)) {
      error = "truncated mesh " + std::to_string(m);
      return false;
    }
    for (uint32_t index : mesh.faces) {
      if (index >= static_cast<uint32_t>(vertices)) {
        error = "face index " + std::to_string(index) + " outside mesh " + std::to_string(m);
        return false;
      }
    }
    model.meshes.push_back(std::move(mesh));
  }
  int32_t materialCount = 0;
  if (!in.Int(materialCount)) {
    error = "truncated material block";
    return false;
  }
  // Records are read one at a time, so a short file is reported as the
  // record it cuts off.
  if (materialCount < 0 || materialCount > kMaxModelMaterials) {
    error = "bad material count " + std::to_string(materialCount);
    return false;
  }
  for (int32_t m = 0; m < materialCount; ++m) {
    ModelMaterial material;
    bool ok = in.Name(material.name) && in.Bytes(material.ambient, 12) && in.Bytes(material.diffuse, 12) &&
              in.Bytes(material.specular, 12) && in.Bytes(&material.opacity, 4) && in.Int(material.shading) &&
              in.Int(material.unlit) && in.Int(material.twoSided) && in.Name(material.baseTexture) &&
              in.Name(material.environmentTexture);
    if (!ok) {
      error = "truncated material " + std::to_string(m);
      return false;
    }
    model.materials.push_back(std::move(material));
  }
  return true;
}

std::vector<uint8_t> EncodeModelFile(const ModelFileData& model) {
  std::vector<uint8_t> out;
  PutBytes(out, model.signature, 3);
  PutBytes(out, &model.version, 4);
  PutInt(out, static_cast<int32_t>(model.meshes.size()));
  for (const ModelMesh& mesh : model.meshes) {
    PutName(out, mesh.name);
    PutName(out, mesh.material);
    PutInt(out, mesh.VertexCount());
    PutInt(out, mesh.FaceCount());
    PutBytes(out, mesh.positions.data(), static_cast<size_t>(mesh.VertexCount()) * 12);
    // One texture coordinate pair per vertex, zero where none were given.
    std::vector<float> texCoords(mesh.texCoords);
    texCoords.resize(static_cast<size_t>(mesh.VertexCount()) * 2, 0.0f);
    PutBytes(out, texCoords.data(), texCoords.size() * 4);
    PutBytes(out, mesh.faces.data(), static_cast<size_t>(mesh.FaceCount()) * 12);
  }
  PutInt(out, static_cast<int32_t>(model.materials.size()));
  for (const ModelMaterial& material : model.materials) {
    PutName(out, material.name);
    PutBytes(out, material.ambient, 12);
    PutBytes(out, material.diffuse, 12);
    PutBytes(out, material.specular, 12);
    PutBytes(out, &material.opacity, 4);
    PutInt(out, material.shading);
    PutInt(out, material.unlit);
    PutInt(out, material.twoSided);
    PutName(out, material.baseTexture);
    PutName(out, material.environmentTexture);
  }
  return out;
}

bool WriteModelFile(const char* path, const ModelFileData& model) {
  std::vector<uint8_t> bytes = EncodeModelFile(model);
  AtomicFileWriter out;
  if (!out.Open(path, "wb")) return false;
  if (std::fwrite(bytes.data(), 1, bytes.size(), out.File()) != bytes.size()) return false;
  return out.Commit();
}
