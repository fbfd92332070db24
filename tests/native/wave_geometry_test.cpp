#include "scene/wave_geometry.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

float Dot(const Vector3& a, const Vector3& b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

bool Finite(const Vector3& v)
{
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

} // namespace

TEST(Vector3, Operations)
{
    const Vector3 a(1, 2, 3), b(4, 5, 6);
    const Vector3 sum = a + b, diff = b - a, scaled = a * 2.0f, cross = Cross(a, b);
    EXPECT_EQ(5, sum.x);
    EXPECT_EQ(9, sum.z);
    EXPECT_EQ(3, diff.y);
    EXPECT_EQ(6, scaled.z);
    EXPECT_EQ(-3, cross.x);
    EXPECT_EQ(6, cross.y);
    EXPECT_EQ(-3, cross.z);
    EXPECT_FLOAT_EQ(5.0f, Vector3(3, 4, 0).Length());
    Vector3 n(0, 3, 4);
    n.Normalize();
    EXPECT_FLOAT_EQ(0.6f, n.y);
    EXPECT_FLOAT_EQ(0.8f, n.z);
    EXPECT_EQ(0, Vector3().x);
}

TEST(WaveGeometry, EyeFollowsItsPath)
{
    const Vector3 e0 = EyePosition(0.0f);
    EXPECT_FLOAT_EQ(0.0f, e0.x);
    EXPECT_FLOAT_EQ(5.0f, e0.y);
    EXPECT_NEAR(5.6372, e0.z, 1e-4);
    // Along the path, worked out in double precision from its formula.
    for (double t : {2.5, 40.0, 333.3}) {
        const Vector3 e = EyePosition(static_cast<float>(t));
        EXPECT_NEAR(5 * std::sin(0.21 * t), e.x, 1e-3) << t;
        EXPECT_NEAR(5 * std::cos(0.31 * t), e.y, 1e-3) << t;
        EXPECT_NEAR(4 * std::sin(1.01 * t + 2) + 2, e.z, 1e-3) << t;
    }
    for (float t = 0.0f; t < 2000.0f; t += 0.37f) {
        const Vector3 e = EyePosition(t);
        ASSERT_LE(std::fabs(e.x), 5.0f);
        ASSERT_LE(std::fabs(e.y), 5.0f);
        ASSERT_GE(e.z, -2.0f);
        ASSERT_LE(e.z, 6.0f);
    }
}

TEST(WaveGeometry, RibbonsStayInsideTheInnerCylinder)
{
    Vector3 p[kRibbonPoints];
    RibbonPoints(1, 0.0f, p);
    for (int j = 0; j < kRibbonPoints; ++j) {
        const float k = static_cast<float>(j - 50);
        EXPECT_FLOAT_EQ(0.1f * k, p[j].x);
        EXPECT_NEAR(0.2 * std::sin(0.2 * k) + 0.05 * std::sin(0.5 * k), p[j].y, 1e-6) << j;  // t = 0
        EXPECT_NEAR(0.2 * std::sin(0.1 * k), p[j].z, 1e-6) << j;
    }
    EXPECT_FLOAT_EQ(-5.0f, p[0].x);
    EXPECT_FLOAT_EQ(4.9f, p[kRibbonPoints - 1].x);

    for (int r = 1; r <= kRibbonCount; ++r)
        for (float t = 0.0f; t < 500.0f; t += 1.3f) {
            RibbonPoints(r, t, p);
            for (const Vector3& point : p) {
                ASSERT_LE(std::fabs(point.y), 0.25f + 1e-6f);
                ASSERT_LE(std::fabs(point.z), 0.2f + 1e-6f);
                // With its half-width turned any way, the ribbon is still inside radius 0.7.
                ASSERT_LT(std::sqrt(point.y * point.y + point.z * point.z) + kRibbonHalfWidth, 0.7f);
            }
        }
}

TEST(WaveGeometry, RibbonsWaveAtTheirOwnSpeeds)
{
    // Each ribbon's y wave turns at 8n and its z wave at 6n radians a second, n its speed factor
    // (IntNoise 1..3, written out here): ribbons 1 and 3 travel towards +x, ribbon 2 towards -x.
    const double speed[kRibbonCount] = {-0.2263731, 0.2936329, -0.2571852};
    Vector3 p[kRibbonPoints];
    for (int r = 1; r <= kRibbonCount; ++r)
        for (double t : {0.1, 2.5, 40.0}) {
            RibbonPoints(r, static_cast<float>(t), p);
            const double n = speed[r - 1];
            for (int j = 0; j < kRibbonPoints; j += 7) {
                const double k = j - 50;
                EXPECT_NEAR(0.2 * std::sin(8 * n * t + 0.2 * k) + 0.05 * std::sin(0.5 * k), p[j].y, 2e-5)
                    << "ribbon " << r << ", t " << t << ", point " << j;
                EXPECT_NEAR(0.2 * std::sin(6 * n * t + 0.1 * k), p[j].z, 2e-5)
                    << "ribbon " << r << ", t " << t << ", point " << j;
            }
        }
}

TEST(WaveGeometry, StripFacesTheEyeAndSharesEdges)
{
    Vector3 p[kRibbonPoints];
    RibbonVertex strip[4 * (kRibbonPoints - 1)];
    for (float t : {0.0f, 2.5f, 40.0f, 1234.5f}) {
        const Vector3 eye = EyePosition(t);
        RibbonPoints(2, t, p);
        RibbonStrip(p, kRibbonPoints, kRibbonHalfWidth, eye, strip);
        for (int i = 0; i < kRibbonPoints - 1; ++i) {
            const RibbonVertex* q = &strip[4 * i];
            // Texture coordinates: s 0 on the + side, 1 on the - side; t from 0 to 1 along.
            EXPECT_EQ(0.0f, q[0].s);
            EXPECT_EQ(1.0f, q[1].s);
            EXPECT_EQ(1.0f, q[2].s);
            EXPECT_EQ(0.0f, q[3].s);
            EXPECT_FLOAT_EQ(i / 99.0f, q[0].t);
            EXPECT_FLOAT_EQ((i + 1) / 99.0f, q[3].t);
            // The side is unit length (half-width each way) and across the line of sight.
            const Vector3 side = (q[0].position - q[1].position) * (0.5f / kRibbonHalfWidth);
            EXPECT_NEAR(1.0f, side.Length(), 1e-5f);
            Vector3 view = eye - p[i];
            view.Normalize();
            EXPECT_NEAR(0.0f, Dot(side, view), 1e-5f);
            // Neighbouring quads meet exactly.
            if (i > 0) {
                EXPECT_EQ(strip[4 * i - 1].position.x, q[0].position.x);
                EXPECT_EQ(strip[4 * i - 1].position.y, q[0].position.y);
                EXPECT_EQ(strip[4 * i - 2].position.z, q[1].position.z);
            }
        }
        EXPECT_FLOAT_EQ(1.0f, strip[4 * (kRibbonPoints - 1) - 1].t);
    }
}

TEST(WaveGeometry, EyeOnTheRibbonsLineGivesOnlyFiniteVertices)
{
    // A straight ribbon along x and the eye on that line: every cross product is zero.
    Vector3 p[kRibbonPoints];
    for (int j = 0; j < kRibbonPoints; ++j)
        p[j] = Vector3(0.1f * (j - 50), 0.0f, 0.0f);
    RibbonVertex strip[4 * (kRibbonPoints - 1)];
    RibbonStrip(p, kRibbonPoints, kRibbonHalfWidth, Vector3(9.0f, 0.0f, 0.0f), strip);
    for (const RibbonVertex& v : strip)
        ASSERT_TRUE(Finite(v.position));

    // Only one segment is degenerate: it keeps the side of the point before.
    p[60] = Vector3(1.0f, 0.3f, 0.0f);
    const Vector3 eye(p[60].x + (p[60].x - p[59].x), p[60].y + (p[60].y - p[59].y), 0.0f);
    p[61] = Vector3(p[60].x * 2 - p[59].x + 0.5f, 0.3f, 1.0f);
    RibbonStrip(p, kRibbonPoints, kRibbonHalfWidth, eye, strip);
    for (const RibbonVertex& v : strip)
        ASSERT_TRUE(Finite(v.position));
    const RibbonVertex* at60 = &strip[4 * 59 + 3];  // point 60, + side
    const RibbonVertex* at59 = &strip[4 * 58 + 3];  // point 59, + side
    const Vector3 side60 = at60->position - p[60], side59 = at59->position - p[59];
    EXPECT_FLOAT_EQ(side59.x, side60.x);
    EXPECT_FLOAT_EQ(side59.y, side60.y);
    EXPECT_FLOAT_EQ(side59.z, side60.z);
}
