// Small maths shared by the texture generator and the scene.
#pragma once

// Integer hash noise in (-1, 1]; the same argument always gives the same value.
float IntNoise(int n);
int Clamp(int value, int low, int high);
// Truncating remainder: 0..255 for n >= 0, keeps the sign of n otherwise.
int Wrap256(int n);
int MinInt(int a, int b);
int MaxInt(int a, int b);
// rand() remainder 255: 0 to 254, never 255.
unsigned char RandomByte();
// Sine and square root of a float, computed in double and returned unrounded.
long double SinF(float x);
long double SqrtF(float x);
