// Building ".3do" models from code. Geometry is described in model units with
// the visible side of every polygon given counter-clockwise; the builder stores
// triangles the way the game's meshes are wound (clockwise seen from outside,
// which the loader's negated normals and the one-sided picking expect).
//
// Positions are stored pre-compensated for the loader, which nudges x and y
// down and z up by 0.001 and truncates to thousandths: every coordinate is
// snapped to the nearest thousandth q and written as a value whose nudge and
// truncation give exactly q. So wall pieces whose edges lie on +-0.5 load with
// edges at exactly +-0.5 and tile without gaps.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "engine3d/ModelFile.h"

namespace artgen {

struct Vec3 {
  double x = 0, y = 0, z = 0;
};

inline Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator*(Vec3 a, double k) { return {a.x * k, a.y * k, a.z * k}; }
double Dot(Vec3 a, Vec3 b);
Vec3 Cross(Vec3 a, Vec3 b);
double Length(Vec3 a);
Vec3 Normalize(Vec3 a);
// Rotation of v about the axis (unit) by angle radians.
Vec3 Rotate(Vec3 v, Vec3 axis, double angle);

struct Vertex {
  Vec3 p;
  double u = 0, v = 0;
};

class MeshBuilder {
 public:
  MeshBuilder(std::string name, std::string material) : m_name(std::move(name)), m_material(std::move(material)) {}

  int Add(const Vertex& v);
  int Add(Vec3 p, double u, double v) { return Add(Vertex{p, u, v}); }
  // Triangle and quad with their visible side counter-clockwise.
  void Triangle(int a, int b, int c);
  void Quad(int a, int b, int c, int d);

  const std::string& Name() const { return m_name; }
  const std::string& Material() const { return m_material; }
  int VertexCount() const { return static_cast<int>(m_vertices.size()); }
  int TriangleCount() const { return static_cast<int>(m_triangles.size() / 3); }
  std::vector<Vertex>& Vertices() { return m_vertices; }
  const std::vector<Vertex>& Vertices() const { return m_vertices; }
  // Visible side counter-clockwise, three indices a triangle.
  const std::vector<int>& Triangles() const { return m_triangles; }
  bool Empty() const { return m_triangles.empty(); }
  // Appends another mesh's vertices and triangles.
  void Append(const MeshBuilder& other);

  ModelMesh ToModelMesh() const;

 private:
  std::string m_name;
  std::string m_material;
  std::vector<Vertex> m_vertices;
  std::vector<int> m_triangles;
};

// The value to store for a coordinate so that the loader's nudge and
// truncation give the thousandth nearest to `value`. Axis 0, 1 (x, y) are
// nudged down, axis 2 (z) up.
float StoredCoordinate(double value, int axis);
// The coordinate the loader makes of a stored value (single precision, as the
// loader computes it).
float LoadedCoordinate(float stored, int axis);

class ModelBuilder {
 public:
  // The reference stays valid while more meshes are added.
  MeshBuilder& AddMesh(const std::string& name, const std::string& material);
  void AddMaterial(const ModelMaterial& material);
  std::deque<MeshBuilder>& Meshes() { return m_meshes; }
  const std::deque<MeshBuilder>& Meshes() const { return m_meshes; }
  int TriangleCount() const;
  // Empty meshes are left out.
  ModelFileData ToFileData() const;

 private:
  std::deque<MeshBuilder> m_meshes;
  std::vector<ModelMaterial> m_materials;
};

// Material shorthand: colours as 0..1 RGB.
ModelMaterial LitMaterial(const std::string& name, const std::string& texture, float ambient, float diffuse);
ModelMaterial UnlitMaterial(const std::string& name, const std::string& texture);

}  // namespace artgen
