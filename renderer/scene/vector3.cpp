#include "vector3.h"

#include <cmath>

float Vector3::Length() const
{
    return std::sqrt(x * x + y * y + z * z);
}

void Vector3::Normalize()
{
    const float inverse = 1.0f / Length();
    x *= inverse;
    y *= inverse;
    z *= inverse;
}

Vector3 Cross(const Vector3& a, const Vector3& b)
{
    return Vector3(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}
