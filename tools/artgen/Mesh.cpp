#include "tools/artgen/Mesh.h"

#include <cmath>

namespace artgen {

double Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

Vec3 Cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }

double Length(Vec3 a) { return std::sqrt(Dot(a, a)); }

Vec3 Normalize(Vec3 a) {
  double l = Length(a);
  return l > 0 ? a * (1.0 / l) : a;
}

Vec3 Rotate(Vec3 v, Vec3 axis, double angle) {
  double c = std::cos(angle), s = std::sin(angle);
  return v * c + Cross(axis, v) * s + axis * (Dot(axis, v) * (1.0 - c));
}

int MeshBuilder::Add(const Vertex& v) {
  m_vertices.push_back(v);
  return static_cast<int>(m_vertices.size()) - 1;
}

void MeshBuilder::Triangle(int a, int b, int c) {
  m_triangles.push_back(a);
  m_triangles.push_back(b);
  m_triangles.push_back(c);
}

void MeshBuilder::Quad(int a, int b, int c, int d) {
  Triangle(a, b, c);
  Triangle(a, c, d);
}

void MeshBuilder::Append(const MeshBuilder& other) {
  int base = VertexCount();
  m_vertices.insert(m_vertices.end(), other.m_vertices.begin(), other.m_vertices.end());
  for (int i : other.m_triangles) m_triangles.push_back(base + i);
}

float StoredCoordinate(double value, int axis) {
  long long q = std::llround(value * 1000.0);
  // Aim at the middle of the truncation interval of q, so rounding in the
  // loader's single-precision arithmetic cannot move the result.
  double middle = q > 0 ? q + 0.5 : (q < 0 ? q - 0.5 : 0.0);
  double nudge = axis == 2 ? -0.001 : 0.001;
  return static_cast<float>(middle / 1000.0 + nudge);
}

float LoadedCoordinate(float stored, int axis) {
  float c = axis == 2 ? stored + 0.001f : stored - 0.001f;
  float product = c * 1000.0f;
  return static_cast<float>(static_cast<int32_t>(product)) * 0.001f;
}

ModelMesh MeshBuilder::ToModelMesh() const {
  ModelMesh mesh;
  mesh.name = m_name;
  mesh.material = m_material;
  for (const Vertex& v : m_vertices) {
    mesh.positions.push_back(StoredCoordinate(v.p.x, 0));
    mesh.positions.push_back(StoredCoordinate(v.p.y, 1));
    mesh.positions.push_back(StoredCoordinate(v.p.z, 2));
    mesh.texCoords.push_back(static_cast<float>(v.u));
    mesh.texCoords.push_back(static_cast<float>(v.v));
  }
  // The game's meshes are wound the other way round.
  for (size_t i = 0; i + 2 < m_triangles.size(); i += 3) {
    mesh.faces.push_back(static_cast<uint32_t>(m_triangles[i]));
    mesh.faces.push_back(static_cast<uint32_t>(m_triangles[i + 2]));
    mesh.faces.push_back(static_cast<uint32_t>(m_triangles[i + 1]));
  }
  return mesh;
}

MeshBuilder& ModelBuilder::AddMesh(const std::string& name, const std::string& material) {
  m_meshes.emplace_back(name, material);
  return m_meshes.back();
}

void ModelBuilder::AddMaterial(const ModelMaterial& material) { m_materials.push_back(material); }

int ModelBuilder::TriangleCount() const {
  int n = 0;
  for (const MeshBuilder& m : m_meshes) n += m.TriangleCount();
  return n;
}

ModelFileData ModelBuilder::ToFileData() const {
  ModelFileData data;
  for (const MeshBuilder& m : m_meshes) {
    if (!m.Empty()) data.meshes.push_back(m.ToModelMesh());
  }
  data.materials = m_materials;
  return data;
}

ModelMaterial LitMaterial(const std::string& name, const std::string& texture, float ambient, float diffuse) {
  ModelMaterial m;
  m.name = name;
  for (int i = 0; i < 3; ++i) {
    m.ambient[i] = ambient;
    m.diffuse[i] = diffuse;
  }
  m.shading = 2;
  m.unlit = 0;
  m.baseTexture = texture;
  return m;
}

ModelMaterial UnlitMaterial(const std::string& name, const std::string& texture) {
  ModelMaterial m = LitMaterial(name, texture, 1.0f, 1.0f);
  m.unlit = 1;
  return m;
}

}  // namespace artgen
