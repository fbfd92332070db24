// A point or direction in scene space, single precision.
#pragma once

struct Vector3 {
    float x;
    float y;
    float z;

    Vector3() : x(0), y(0), z(0) {}
    Vector3(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}

    Vector3 operator+(const Vector3& o) const { return Vector3(x + o.x, y + o.y, z + o.z); }
    Vector3 operator-(const Vector3& o) const { return Vector3(x - o.x, y - o.y, z - o.z); }
    Vector3 operator*(float s) const { return Vector3(x * s, y * s, z * s); }

    float Length() const;
    // Scales to unit length (multiplies by 1 / Length()); a zero vector becomes NaN.
    void Normalize();
};

Vector3 Cross(const Vector3& a, const Vector3& b);
