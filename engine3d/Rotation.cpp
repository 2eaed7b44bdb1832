#include "engine3d/Rotation.h"

#include <cmath>

void QuaternionFromAngles(float ax, float ay, float az, float q[4]) {
  const float kHalfDegree = 0.008726646f;  // pi / 360
  const float a = ax * kHalfDegree, b = ay * kHalfDegree, c = az * kHalfDegree;
  const float sa = std::sin(a), ca = std::cos(a);
  const float sb = std::sin(b), cb = std::cos(b);
  const float sc = std::sin(c), cc = std::cos(c);
  q[0] = cb * sa * cc - sb * ca * sc;
  q[1] = cb * sa * sc + sb * ca * cc;
  q[2] = cb * ca * sc - sb * sa * cc;
  q[3] = sb * sa * sc + cb * ca * cc;
  const float norm = q[0] * q[0] + q[1] * q[1] + q[2] * q[2] + q[3] * q[3];
  for (int i = 0; i < 4; ++i) q[i] /= norm;
}

void MatrixFromQuaternion(const float q[4], float m[16]) {
  const float x = q[0], y = q[1], z = q[2], w = q[3];
  for (int i = 0; i < 16; ++i) m[i] = 0.0f;
  m[0] = 1.0f - 2.0f * (y * y + z * z);
  m[1] = 2.0f * (x * y - w * z);
  m[2] = 2.0f * (x * z + w * y);
  m[4] = 2.0f * (x * y + w * z);
  m[5] = 1.0f - 2.0f * (x * x + z * z);
  m[6] = 2.0f * (y * z - w * x);
  m[8] = 2.0f * (x * z - w * y);
  m[9] = 2.0f * (y * z + w * x);
  m[10] = 1.0f - 2.0f * (x * x + y * y);
  m[15] = 1.0f;
}
