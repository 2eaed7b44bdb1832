// Rotations for the rolling cube: Euler angles to a quaternion, and a
// quaternion to a 4 x 4 matrix for glMultMatrixf.
#pragma once

// Angles in degrees about x, y and z; q receives x, y, z, w. The result is
// divided by its squared norm, which leaves unit quaternions as they are.
void QuaternionFromAngles(float ax, float ay, float az, float q[4]);

// The rotation matrix of q (x, y, z, w) in OpenGL column order.
void MatrixFromQuaternion(const float q[4], float m[16]);
